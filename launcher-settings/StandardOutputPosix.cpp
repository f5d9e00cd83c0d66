#include "StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

bool HasStandardOutput() { return fcntl(STDOUT_FILENO, F_GETFD) != -1; }

// Preloaded into launcher-settings (LD_PRELOAD) by the end-to-end cases, it
// makes every flock fail as on a file system that cannot lock files, such as
// NFS without its lock daemon.
#include <cerrno>

extern "C" int flock(int, int)
{
    errno = ENOLCK;
    return -1;
}

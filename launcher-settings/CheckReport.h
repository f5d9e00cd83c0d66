// The result of checking an install, for people and for scripts.
#pragma once

#include <string>

#include "InstallCheck.h"

// The effective settings, then each warning as "FILE:LINE: message" with its
// fix on the next line, then the number of warnings.
std::string CheckReportText(const InstallCheck& check);

// The same as one JSON object; text from the settings files is escaped as
// JsonString describes.
std::string CheckReportJson(const InstallCheck& check);

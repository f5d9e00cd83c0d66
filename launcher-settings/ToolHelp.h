// The help texts of launcher-settings.
#pragma once

extern const char kToolHelp[];
extern const char kShowHelp[];
extern const char kCheckHelp[];
extern const char kSetHelp[];

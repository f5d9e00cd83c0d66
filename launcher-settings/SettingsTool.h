// launcher-settings: see, check and edit an install's settings exactly as the
// launcher reads them. The whole program except the entry point, so that it
// runs the same natively and on Windows and can be tested without a process.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Exit statuses.
constexpr int kStatusClean = 0;
constexpr int kStatusWarnings = 1;  // check found pitfalls; set refused or failed
constexpr int kStatusUsage = 2;     // bad arguments or an unreadable file or directory

// Runs the command in `args` (the arguments after the program name). Normal
// output goes to `out`, messages to `err`, each line ending in LF.
int RunSettingsTool(const std::vector<std::string>& args, std::string& out, std::string& err);

// Runs the command as RunSettingsTool does, writes its report to
// `standardOutput` and closes that. When the report does not reach it whole (a
// write, the flush or the close fails), the status is kStatusUsage, and `err`
// says why and whether a set had made its change.
int RunAndReport(const std::vector<std::string>& args, std::FILE* standardOutput, std::string& err);

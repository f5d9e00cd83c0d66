// The command-line arguments of the test tools: "--name value" options, "--name"
// flags and positional arguments, in any order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct ToolArguments {
    std::map<std::wstring, std::wstring> options; // flags map to an empty value
    std::vector<std::wstring> positional;
};

// Sorts argv[1..] into `arguments`. False for an option that is neither in
// `valueOptions` nor in `flags`, or a value option without its value.
bool ParseToolArguments(int argc, wchar_t** argv, const std::set<std::wstring>& valueOptions, const std::set<std::wstring>& flags,
    ToolArguments& arguments);

// The number given as option `name`, or `fallback` when the option is absent.
// False when the option's value is not a whole decimal number.
bool NumberOption(const ToolArguments& arguments, const std::wstring& name, unsigned long fallback, unsigned long& number);

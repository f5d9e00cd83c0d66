#include "ToolArguments.h"

#include <cwchar>

bool ParseToolArguments(int argc, wchar_t** argv, const std::set<std::wstring>& valueOptions, const std::set<std::wstring>& flags,
    ToolArguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument.rfind(L"--", 0) != 0) {
            arguments.positional.push_back(argument);
        } else if (flags.count(argument)) {
            arguments.options[argument] = L"";
        } else if (valueOptions.count(argument) && i + 1 < argc) {
            arguments.options[argument] = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

bool NumberOption(const ToolArguments& arguments, const std::wstring& name, unsigned long fallback, unsigned long& number)
{
    auto option = arguments.options.find(name);
    if (option == arguments.options.end()) {
        number = fallback;
        return true;
    }
    wchar_t* end = nullptr;
    number = std::wcstoul(option->second.c_str(), &end, 10);
    return !option->second.empty() && *end == L'\0';
}

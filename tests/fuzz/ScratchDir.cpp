#include "ScratchDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>

#include "FuzzCheck.h"

namespace fuzz {

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "ini-fuzz-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a scratch directory can be created");
    m_path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

std::string ScratchDir::PathOf(const std::string& name) const { return (fs::path(m_path) / name).string(); }

void ScratchDir::Empty() const
{
    for (const fs::directory_entry& entry : fs::directory_iterator(m_path))
        fs::remove(entry.path());
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream file(PathOf(name), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(file), "a scratch file can be written");
}

std::optional<std::string> ScratchDir::Read(const std::string& name) const
{
    std::ifstream file(PathOf(name), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> ScratchDir::Names() const
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace fuzz

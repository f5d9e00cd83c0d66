// A private directory for the files the fuzzer loads and saves. It lives in
// memory-backed /dev/shm where there is one, because Save syncs every file it
// writes to disk.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fuzz {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();

    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string PathOf(const std::string& name) const;
    // Removes every file in the directory.
    void Empty() const;
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes, or nothing when it does not exist.
    std::optional<std::string> Read(const std::string& name) const;
    // Names of the files in the directory, sorted.
    std::vector<std::string> Names() const;

private:
    std::string m_path;
};

}  // namespace fuzz

// libFuzzer entry point for the check that a pending update is a program this
// Windows can start. The whole input is the file. For each system the launcher
// knows, the check's answer must be the one the rules give (ProgramImageRules),
// it must ask for no byte past the headers and section table nor past the file,
// and SystemRunsMachine must agree with the rules for the machine the file
// header names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "FuzzCheck.h"
#include "ProgramImage.h"
#include "ProgramImageRules.h"

namespace {

using fuzz::Require;

// The input as a file, which remembers the end of the furthest range the check
// asked for, whether or not the range lay inside the file.
class RecordingFile final : public FileBytesSource {
public:
    RecordingFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint64_t Size() const override { return m_size; }

    bool Read(std::uint64_t offset, unsigned char* buffer, std::size_t count) const override
    {
        const std::uint64_t end =
            count > std::numeric_limits<std::uint64_t>::max() - offset ? std::numeric_limits<std::uint64_t>::max()
                                                                       : offset + count;
        m_readEnd = std::max(m_readEnd, end);
        if (end > m_size)
            return false;
        if (count != 0)
            std::memcpy(buffer, m_data + offset, count);
        return true;
    }

    std::uint64_t ReadEnd() const { return m_readEnd; }
    void ForgetReads() { m_readEnd = 0; }

private:
    const std::uint8_t* m_data;
    std::uint64_t m_size;
    mutable std::uint64_t m_readEnd = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::LittleEndianBytes input(data, size);
    const std::uint64_t headersEnd = fuzz::HeadersEnd(input);
    const std::optional<std::uint16_t> machine = fuzz::MachineOf(input);
    RecordingFile file(data, size);
    for (const std::uint16_t system : fuzz::kSystems) {
        file.ForgetReads();
        Require(IsStartableProgramImage(file, system) == fuzz::ExpectStartable(input, system),
                "IsStartableProgramImage accepts exactly the images the rules accept");
        Require(file.ReadEnd() <= size, "IsStartableProgramImage reads nothing past the end of the file");
        Require(file.ReadEnd() <= headersEnd, "IsStartableProgramImage reads nothing past the section table");
        if (machine)
            Require(SystemRunsMachine(system, *machine) == fuzz::RunsOn(system, *machine),
                    "SystemRunsMachine follows the table of systems and programs");
    }
    return 0;
}

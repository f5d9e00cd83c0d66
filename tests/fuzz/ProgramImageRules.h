// The rules for a startable program image restated for the fuzzer, apart from
// the check's own code: every field is read from the whole input through one
// bounds-checked reader, and every rule is an extent of the file or a value of
// a field, so that the check is compared with the rules rather than with itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace fuzz {

// The input read as little-endian fields; a field that does not lie wholly
// inside the input has no value.
class LittleEndianBytes {
public:
    LittleEndianBytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint64_t Size() const { return m_size; }
    // Whether the `length` bytes at `begin` lie inside the input.
    bool Holds(std::uint64_t begin, std::uint64_t length) const;
    std::optional<std::uint32_t> Field(std::uint64_t at, unsigned width) const;

private:
    const std::uint8_t* m_data;
    std::uint64_t m_size;
};

// The processors the launcher asks about: x86, x64 and ARM64.
extern const std::uint16_t kSystems[3];

// Whether a system of `system` (one of kSystems) runs programs for `program`.
bool RunsOn(std::uint16_t system, std::uint16_t program);

// The machine the file header names, when the input has a DOS header, the
// signature and a whole file header.
std::optional<std::uint16_t> MachineOf(const LittleEndianBytes& input);

// Where the headers end as far as the input names them: the DOS header, the
// signature and file header it points to, and the optional header and section
// table their sizes give. Reading any further is reading the sections' data.
std::uint64_t HeadersEnd(const LittleEndianBytes& input);

// Whether every rule holds for the input on a system of `system`.
bool ExpectStartable(const LittleEndianBytes& input, std::uint16_t system);

}  // namespace fuzz

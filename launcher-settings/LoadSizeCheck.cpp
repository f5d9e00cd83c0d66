#include <cstdint>

#include "LoadSizeCheck.h"

namespace {

// What the 32-bit launcher can count on in its 2 GiB of address space. Measured
// with the 32-bit build of the settings class in a bare program under Wine: a
// text of 1 GiB loads, one of 1.25 GiB finds no block to be read into; 320 MiB
// of 18-byte entries (1.8 GiB by the count below) load, 352 MiB (2 GiB) run out
// of memory. The launcher itself has more of its address space taken.
const std::uint64_t kLargestText = std::uint64_t{1} << 30;
const std::uint64_t kLargestLoad = std::uint64_t{3} << 29;

// An entry's record in the 32-bit launcher: three strings of 24 bytes in a heap
// block of their own (8 bytes of header), and its pointer in the list, whose
// growth leaves as much again free.
const std::uint64_t kEntryRecord = 72 + 8 + 8;

// What a string of the record takes besides: nothing up to the 15 bytes it
// holds in itself, a heap block of its own for more.
std::uint64_t StringBlock(const std::string& text) { return text.size() > 15 ? text.size() + 16 : 0; }

}  // namespace

void SetAsideIfTooLarge(SettingsFile& file)
{
    if (file.state != FileState::Loaded)
        return;
    const std::uint64_t size = file.bytes.size();
    if (size >= kLargestText) {
        SetAsideText(file, "is " + std::to_string(size) +
                               " bytes: the 32-bit launcher cannot count on a block of 1 GiB of memory to read it "
                               "into, so it reads no setting from it");
        return;
    }
    std::uint64_t memory = size + 1;
    for (const IniEntry* entry : file.document.Entries())
        memory += kEntryRecord + StringBlock(entry->section) + StringBlock(entry->key) + StringBlock(entry->value);
    if (memory >= kLargestLoad) {
        SetAsideText(file, "takes about " + std::to_string(memory >> 20) + " MiB of memory with its " +
                               std::to_string(file.document.Entries().size()) +
                               " entries: the 32-bit launcher cannot count on more than 1.5 GiB, so it runs out of "
                               "memory while it reads the file and ends at once");
    }
}

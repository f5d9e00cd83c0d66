// Reading a settings file whole, through one open handle, so that what is read
// is the file's complete content at one moment or nothing.
#pragma once

#include <cstdint>
#include <memory>

namespace ini {

enum class ReadFailure {
    None,
    CannotOpen,      // the name cannot be opened for reading (missing, no permission, a link loop)
    NotRegularFile,  // a directory, a FIFO, a device: refused at once, never read or waited on
    TooLarge,        // larger than the caller's largest size
    NoMemory,        // no buffer of the file's size could be had
    SizeChanged,     // the file held more or fewer bytes than measured: it changed while being read
    ReadError,       // the read itself failed
};

struct FileRead {
    ReadFailure failure = ReadFailure::None;
    // The C library's error number for CannotOpen and ReadError (on Windows the
    // nearest one to the system's error), 0 otherwise.
    int error = 0;
    // The size measured through the open handle; -1 when it was not measured.
    std::int64_t size = -1;
};

// Opens `fileName`, measures it through the same handle and, when it is a
// regular file of at most `largest` bytes, reads it to its end into `text`:
// `size` bytes and a zero byte after them. `text` is set only when the read
// succeeds, so a caller's earlier text is never half replaced.
FileRead ReadWholeFile(const char* fileName, std::int64_t largest, std::unique_ptr<char[]>& text);

}  // namespace ini

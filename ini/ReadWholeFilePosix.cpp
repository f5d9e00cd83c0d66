#include "ReadWholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace ini {

namespace {

// Reads up to `count` bytes, resuming after signals; fewer only at the end of
// the file. -1 on an error.
std::int64_t ReadFully(int fd, char* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(fd, buffer + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

FileRead ReadOpenFile(int fd, std::int64_t largest, std::unique_ptr<char[]>& text)
{
    FileRead result;
    struct stat status;
    if (fstat(fd, &status) != 0)
        return {ReadFailure::ReadError, errno, -1};
    // Anything but a regular file has no size to read to (a directory measures
    // differently on each filesystem; a FIFO would block).
    if (!S_ISREG(status.st_mode))
        return {ReadFailure::NotRegularFile, 0, -1};
    result.size = status.st_size;
    if (result.size > largest) {
        result.failure = ReadFailure::TooLarge;
        return result;
    }
    const std::size_t size = static_cast<std::size_t>(result.size);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size + 1]);
    if (!buffer) {
        result.failure = ReadFailure::NoMemory;
        return result;
    }
    const std::int64_t got = ReadFully(fd, buffer.get(), size);
    // One byte more tells a file that grew after it was measured.
    char extra;
    const std::int64_t more = got == result.size ? ReadFully(fd, &extra, 1) : 0;
    if (got < 0 || more < 0) {
        result.failure = ReadFailure::ReadError;
        result.error = errno;
        return result;
    }
    if (got != result.size || more != 0) {
        result.failure = ReadFailure::SizeChanged;
        return result;
    }
    buffer[size] = '\0';
    text = std::move(buffer);
    return result;
}

}  // namespace

FileRead ReadWholeFile(const char* fileName, std::int64_t largest, std::unique_ptr<char[]>& text)
{
    // Non-blocking, so that opening a FIFO returns at once and is then refused.
    const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {ReadFailure::CannotOpen, errno, -1};
    const FileRead result = ReadOpenFile(fd, largest, text);
    close(fd);
    return result;
}

}  // namespace ini

// The C++ run-time's allocation functions and error helpers, as the launcher
// needs them: without exceptions.
//
// The library's own versions report a failure by throwing (std::bad_alloc,
// std::length_error, ...). Linking them statically pulls in the whole exception
// machinery (the unwinder, its tables, the exception classes and the complete
// string instantiations they are made of), well over half of the exe, for a
// program that throws and catches nothing. Defining the same functions here
// makes the linker take these instead and leave the library's objects out.
//
// The behaviour on every path stays what an uncaught exception gave: a failed
// ordinary allocation, or a container asked to grow past its largest size, ends
// the process at once through std::abort. The nothrow allocations answer null,
// which the callers check (a settings buffer that cannot be had is a failed load).
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void EndProcess()
{
    std::abort();
}

// Null when the memory cannot be had. malloc(0) may answer null too, but new
// must give a distinct object even then.
void* Allocate(std::size_t size) noexcept
{
    return std::malloc(size != 0 ? size : 1);
}

void* AllocateOrEnd(std::size_t size)
{
    void* memory = Allocate(size);
    if (memory == nullptr)
        EndProcess();
    return memory;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrEnd(size); }
void* operator new[](std::size_t size) { return AllocateOrEnd(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

// The helpers through which the library's containers and strings report an
// impossible request; each one would otherwise throw.
namespace std {

void __throw_bad_alloc() { EndProcess(); }
void __throw_bad_array_new_length() { EndProcess(); }
void __throw_length_error(const char*) { EndProcess(); }
void __throw_logic_error(const char*) { EndProcess(); }
void __throw_out_of_range_fmt(const char*, ...) { EndProcess(); }

}  // namespace std

// Replaces the global operator new of the program and counts its calls.
// Include it in exactly one source file of a program.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

inline std::size_t& NewCalls() {
    static std::size_t count = 0;
    return count;
}

inline void* CountedMalloc(std::size_t size) noexcept {
    ++NewCalls();
    return std::malloc(size == 0 ? 1 : size);
}

inline void* CountedNew(std::size_t size) {
    if (void* block = CountedMalloc(size)) {
        return block;
    }
    throw std::bad_alloc();
}

// Every form that allocates or frees unaligned blocks, so that each block is
// freed the way it was allocated (the sanitizer checks the pairing).
void* operator new(std::size_t size) { return CountedNew(size); }
void* operator new[](std::size_t size) { return CountedNew(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedMalloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedMalloc(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

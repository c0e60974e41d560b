// GetProgramDir with a faked module path and any buffer size. Input: one mode
// byte (bit 0: null buffer, bit 1: the path query fails), two bytes of buffer
// size (-64 to 1215), then the path's bytes.
// The buffer is a heap block of exactly that size, so a write past it is an
// AddressSanitizer error. The result is 0 or the length of a text that ends
// with a backslash: the path up to and including its last backslash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "service/Main.h"
#include "service/headless/ShellTesting.h"

namespace {

constexpr unsigned char kCanary = 0xA5;
constexpr int kLowestSize = -64;
constexpr int kSizeSpan = 1280;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

struct Input {
    bool nullBuffer = false;
    bool queryFails = false;
    int size = 0;
    std::string path;
};

Input Parse(const std::uint8_t* bytes, std::size_t size) {
    Input in;
    if (size < 3) {
        return in;
    }
    in.nullBuffer = (bytes[0] & 1) != 0;
    in.queryFails = (bytes[0] & 2) != 0;
    in.size = kLowestSize + (bytes[1] | bytes[2] << 8) % kSizeSpan;
    in.path.assign(reinterpret_cast<const char*>(bytes + 3), size - 3);
    return in;
}

// What the routine must return: the directory's length when the whole path
// fits the buffer with its NUL and has a backslash, else 0.
int Expected(const Input& in) {
    if (in.nullBuffer || in.queryFails || in.size <= 0 || in.path.size() >= static_cast<std::size_t>(in.size)) {
        return 0;
    }
    const std::size_t last = in.path.rfind('\\');
    return last == std::string::npos ? 0 : static_cast<int>(last + 1);
}

void CheckUntouched(const unsigned char* block, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        Require(block[i] == kCanary, "a buffer it may not use is untouched");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const Input in = Parse(bytes, size);
    service::testing::ResetShell();
    service::testing::SetModuleFileName(in.queryFails ? std::nullopt : std::optional<std::string>(in.path));

    if (in.nullBuffer) {
        Require(GetProgramDir(nullptr, in.size) == 0, "a null buffer gives 0");
        return 0;
    }
    // At least one byte, so that a size of 0 or less still has a block to watch.
    const std::size_t blockSize = in.size > 0 ? static_cast<std::size_t>(in.size) : 1;
    const auto block = std::make_unique<unsigned char[]>(blockSize);
    std::memset(block.get(), kCanary, blockSize);
    char* buffer = reinterpret_cast<char*>(block.get());

    const int result = GetProgramDir(buffer, in.size);
    Require(result == Expected(in), "the directory of the path, or 0");
    if (in.size <= 0) {
        CheckUntouched(block.get(), blockSize);
        return 0;
    }
    Require(buffer[result] == '\0', "the text ends at the returned length");
    if (result > 0) {
        Require(buffer[result - 1] == '\\', "the directory ends with a backslash");
        Require(std::memcmp(buffer, in.path.data(), static_cast<std::size_t>(result)) == 0,
                "the directory is the start of the path");
    }
    return 0;
}

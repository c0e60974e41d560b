// ReadSetting on arbitrary stored data. Input: one mode byte, the value's type
// (4 bytes), a size a misbehaving registry reports (4 bytes), then the data.
//   mode bit 0: the key cannot be opened; bit 1: the query fails;
//   bit 2: the registry misbehaves (writes what fits, reports any size and result).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "forms/headless/Testing.h"
#include "shared/Settings.h"
#include "shared/headless/TestRegistry.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

struct Input {
    bool keyFails = false;
    bool queryFails = false;
    bool misbehaves = false;
    std::uint32_t type = 0;
    std::uint32_t reportedSize = 0;
    std::vector<unsigned char> data;
};

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

Input Parse(const std::uint8_t* bytes, std::size_t size) {
    Input in;
    if (size < 9) {
        in.data.assign(bytes, bytes + size);
        return in;
    }
    in.keyFails = (bytes[0] & 1) != 0;
    in.queryFails = (bytes[0] & 2) != 0;
    in.misbehaves = (bytes[0] & 4) != 0;
    in.type = Le32(bytes + 1);
    in.reportedSize = Le32(bytes + 5);
    in.data.assign(bytes + 9, bytes + size);
    return in;
}

// What an honest registry's data read as: the text up to a NUL when the data
// fit the buffer and hold one, else the empty text.
std::string Expected(const std::vector<unsigned char>& data) {
    if (data.size() > kSettingBufferSize) {
        return {};
    }
    const auto nul = std::find(data.begin(), data.end(), 0);
    return nul == data.end() ? std::string() : std::string(data.begin(), nul);
}

// A registry that fills the buffer with what fits and then reports whatever size and result it likes.
class MisbehavingRegistry : public Registry {
public:
    explicit MisbehavingRegistry(const Input& in) : in_(in) {}
    long CreateKey(const char*, RegistryKey& key) override {
        key = this;
        return in_.keyFails ? kRegistryAccessDenied : kRegistryOk;
    }
    long QueryValue(RegistryKey, const char*, unsigned char* data, std::uint32_t& size) override {
        const std::size_t copied = std::min<std::size_t>(size, in_.data.size());
        if (data != nullptr && copied > 0) {
            std::memcpy(data, in_.data.data(), copied);
        }
        size = in_.reportedSize;
        if (!in_.queryFails) {
            return kRegistryOk;
        }
        return in_.type == 0 ? kRegistryMoreData : static_cast<long>(in_.type);  // any error code
    }
    long SetValue(RegistryKey, const char*, std::uint32_t, const unsigned char*, std::uint32_t) override {
        return kRegistryOk;
    }
    long CloseKey(RegistryKey) override { return kRegistryOk; }

private:
    const Input& in_;
};

void CheckText(const std::string& text) {
    Require(text.size() <= kSettingMaxLength, "text fits the buffer");
    Require(text.find('\0') == std::string::npos, "text holds no NUL");
}

void FuzzHonestRegistry(const Input& in) {
    FakeRegistry& registry = TestRegistry();
    registry.Reset();
    forms::testing::ClearMessageBoxes();
    registry.PutValue(kSettingsKey, kSettingHoriRecog, in.type, in.data);
    registry.FailCreateKey(in.keyFails ? kRegistryAccessDenied : kRegistryOk);
    registry.FailQuery(in.queryFails ? kRegistryAccessDenied : kRegistryOk);

    const String text = ReadSetting(kSettingHoriRecog);
    CheckText(text);
    Require(text == (in.keyFails || in.queryFails ? std::string() : Expected(in.data)), "honest data read as text");
    Require(forms::testing::MessageBoxes().size() == (in.keyFails ? 1u : 0u), "one message for a key not opened");
    Require(registry.OpenKeys() == 0 && registry.BadHandleUses() == 0, "key closed, handles owned");

    if (in.keyFails) {
        return;
    }
    // What was read writes back as the same text.
    registry.FailQuery(kRegistryOk);
    WriteSetting(kSettingHoriRecog, text.c_str());
    const RawValue* stored = registry.FindValue(kSettingsKey, kSettingHoriRecog);
    Require(stored != nullptr && stored->type == kRegistryExpandableText &&
                stored->data.size() == text.size() + 1 && stored->data.back() == 0,
            "text stored as expandable text with one NUL");
    Require(ReadSetting(kSettingHoriRecog) == text, "written text reads back");
    Require(registry.OpenKeys() == 0, "key closed after the write");
}

void FuzzMisbehavingRegistry(const Input& in) {
    forms::testing::ClearMessageBoxes();
    MisbehavingRegistry registry(in);
    const String text = ReadSetting(registry, kSettingHoriRecog);
    CheckText(text);
    Require(text.empty() || (!in.keyFails && !in.queryFails), "text only from a successful query");
    const auto* data = reinterpret_cast<const char*>(in.data.data());
    Require(text.size() <= in.data.size() && text == std::string(data, data + text.size()),
            "text is the start of the data");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const Input in = Parse(bytes, size);
    if (in.misbehaves) {
        FuzzMisbehavingRegistry(in);
    } else {
        FuzzHonestRegistry(in);
    }
    return 0;
}

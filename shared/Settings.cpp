#include "shared/Settings.h"

#include <array>
#include <cstring>

#include "forms/Forms.h"

namespace {

constexpr char kReadCaption[] = "Edgeroam 2 - Error: RegRead";
constexpr char kWriteCaption[] = "Edgeroam 2 - Error: WriteRead";
constexpr int kPlainBox = 0;  // MB_OK, no icon

void ShowError(const char* text, const char* caption) {
    Application->MessageBox(text, caption, kPlainBox);
}

// The settings key, opened (or created) for one call and closed when it ends.
class SettingsKey {
public:
    explicit SettingsKey(Registry& registry) : registry_(registry) {
        opened_ = registry_.CreateKey(kSettingsKey, key_) == kRegistryOk;
    }
    ~SettingsKey() {
        if (opened_) {
            registry_.CloseKey(key_);
        }
    }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    bool Opened() const { return opened_; }
    RegistryKey Handle() const { return key_; }

private:
    Registry& registry_;
    RegistryKey key_ = nullptr;
    bool opened_ = false;
};

// The text in the first `size` bytes of buffer, up to its NUL; the empty text
// when those bytes hold no NUL.
String TextUpToNul(const std::array<unsigned char, kSettingBufferSize>& buffer, std::uint32_t size) {
    const std::size_t length = size < buffer.size() ? size : buffer.size();
    const void* nul = std::memchr(buffer.data(), 0, length);
    if (nul == nullptr) {
        return String();
    }
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    return String(begin, static_cast<const char*>(nul));
}

enum class StoreOutcome { Stored, KeyNotOpened, ValueNotSet };

StoreOutcome StoreText(Registry& registry, const char* name, const char* text) {
    const SettingsKey key(registry);
    if (!key.Opened()) {
        return StoreOutcome::KeyNotOpened;
    }
    const auto size = static_cast<std::uint32_t>(std::strlen(text) + 1);
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    if (registry.SetValue(key.Handle(), name, kRegistryExpandableText, data, size) != kRegistryOk) {
        return StoreOutcome::ValueNotSet;
    }
    return StoreOutcome::Stored;
}

}  // namespace

String ReadSetting(Registry& registry, const char* name) {
    const SettingsKey key(registry);
    if (!key.Opened()) {
        ShowError("could not open registry key", kReadCaption);
        return String();
    }
    std::array<unsigned char, kSettingBufferSize> buffer{};
    std::uint32_t size = kSettingBufferSize;
    if (registry.QueryValue(key.Handle(), name, buffer.data(), size) != kRegistryOk) {
        return String();
    }
    return TextUpToNul(buffer, size);
}

bool SettingMissing(Registry& registry, const char* name) {
    const SettingsKey key(registry);
    if (!key.Opened()) {
        return false;
    }
    // No buffer: the query only tells whether the value is there, whatever its size.
    std::uint32_t size = 0;
    return registry.QueryValue(key.Handle(), name, nullptr, size) == kRegistryNotFound;
}

void WriteSetting(Registry& registry, const char* name, const char* text) {
    // The key is closed before a message box waits for the user.
    switch (StoreText(registry, name, text)) {
    case StoreOutcome::Stored:
        return;
    case StoreOutcome::KeyNotOpened:
        ShowError("could not create registry key", kWriteCaption);
        return;
    case StoreOutcome::ValueNotSet:
        ShowError("could not set event message file", kWriteCaption);
        return;
    }
}

String ReadSetting(const char* name) { return ReadSetting(SystemRegistry(), name); }

bool SettingMissing(const char* name) { return SettingMissing(SystemRegistry(), name); }

void WriteSetting(const char* name, const char* text) { WriteSetting(SystemRegistry(), name, text); }

void WriteSetting(const char* name, const String& text) { WriteSetting(name, text.c_str()); }

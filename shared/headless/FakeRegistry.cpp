#include "shared/headless/FakeRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr long kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER

char LowerAscii(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool FakeRegistry::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

FakeRegistry::Values& FakeRegistry::MakeKey(const std::string& keyPath) {
    // Every key above this one exists too.
    for (std::size_t slash = keyPath.find('\\'); slash != std::string::npos;
         slash = keyPath.find('\\', slash + 1)) {
        keys_[keyPath.substr(0, slash)];
    }
    return keys_[keyPath];
}

FakeRegistry::Values* FakeRegistry::KeyOf(RegistryKey key) {
    for (const std::string& path : open_) {
        if (static_cast<const void*>(&path) == key) {
            return &keys_.at(path);
        }
    }
    ++badHandleUses_;
    return nullptr;
}

long FakeRegistry::CreateKey(const char* subKey, RegistryKey& key) {
    key = nullptr;
    if (createError_ != kRegistryOk) {
        return createError_;
    }
    MakeKey(subKey);
    key = &open_.emplace_back(subKey);
    return kRegistryOk;
}

long FakeRegistry::QueryValue(RegistryKey key, const char* name, unsigned char* data, std::uint32_t& size) {
    Values* values = KeyOf(key);
    if (values == nullptr) {
        return kRegistryInvalidHandle;
    }
    const auto found = values->find(name);
    if (found == values->end()) {
        return kRegistryNotFound;
    }
    const std::vector<unsigned char>& stored = found->second.data;
    const std::size_t capacity = data == nullptr ? 0 : size;
    const std::size_t copied = std::min(capacity, stored.size());
    if (copied > 0) {
        std::memcpy(data, stored.data(), copied);
    }
    size = static_cast<std::uint32_t>(stored.size());
    if (queryError_ != kRegistryOk) {
        return queryError_;
    }
    return stored.size() > capacity && data != nullptr ? kRegistryMoreData : kRegistryOk;
}

long FakeRegistry::SetValue(RegistryKey key, const char* name, std::uint32_t type, const unsigned char* data,
                            std::uint32_t size) {
    Values* values = KeyOf(key);
    if (values == nullptr) {
        return kRegistryInvalidHandle;
    }
    if (data == nullptr && size > 0) {
        return kInvalidParameter;
    }
    if (const auto error = setErrors_.find(name); error != setErrors_.end()) {
        return error->second;
    }
    RawValue& value = (*values)[name];
    value.type = type;
    value.data.assign(data, data + size);
    setValueLog_.emplace_back(name);
    return kRegistryOk;
}

long FakeRegistry::CloseKey(RegistryKey key) {
    const auto handle = std::find_if(open_.begin(), open_.end(),
                                     [key](const std::string& path) { return &path == key; });
    if (handle == open_.end()) {
        ++badHandleUses_;
        return kRegistryInvalidHandle;
    }
    open_.erase(handle);
    return kRegistryOk;
}

void FakeRegistry::Reset() {
    keys_.clear();
    open_.clear();
    setErrors_.clear();
    createError_ = kRegistryOk;
    queryError_ = kRegistryOk;
    badHandleUses_ = 0;
    setValueLog_.clear();
}

void FakeRegistry::FailSetValue(const std::string& name, long error) {
    if (error == kRegistryOk) {
        setErrors_.erase(name);
        return;
    }
    setErrors_[name] = error;
}

void FakeRegistry::PutValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                            std::vector<unsigned char> data) {
    MakeKey(keyPath)[name] = RawValue{type, std::move(data)};
}

bool FakeRegistry::HasKey(const std::string& keyPath) const { return keys_.contains(keyPath); }

const RawValue* FakeRegistry::FindValue(const std::string& keyPath, const std::string& name) const {
    const auto key = keys_.find(keyPath);
    if (key == keys_.end()) {
        return nullptr;
    }
    const auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
}

std::size_t FakeRegistry::ValueCount(const std::string& keyPath) const {
    const auto key = keys_.find(keyPath);
    return key == keys_.end() ? 0 : key->second.size();
}

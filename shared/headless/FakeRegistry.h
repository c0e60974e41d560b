// An in-memory registry for host tests: keys by path with raw values (type and
// bytes), open handles counted, and failures on request. It answers like the
// real registry: names ignore case, creating a key creates the keys above it,
// and a query whose data do not fit returns kRegistryMoreData after filling
// the buffer with the data's first bytes (the real buffer is undefined then).
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "shared/Registry.h"

struct RawValue {
    std::uint32_t type = 0;
    std::vector<unsigned char> data;
};

class FakeRegistry : public Registry {
public:
    long CreateKey(const char* subKey, RegistryKey& key) override;
    long QueryValue(RegistryKey key, const char* name, unsigned char* data, std::uint32_t& size) override;
    long SetValue(RegistryKey key, const char* name, std::uint32_t type, const unsigned char* data,
                  std::uint32_t size) override;
    long CloseKey(RegistryKey key) override;

    // Empties the registry, closes every handle and clears the failures.
    void Reset();

    // Failures on request; 0 turns one off.
    void FailCreateKey(long error) { createError_ = error; }
    void FailQuery(long error) { queryError_ = error; }
    void FailSetValue(const std::string& name, long error);

    // Another writer: stores a value as given, creating its key.
    void PutValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                  std::vector<unsigned char> data);

    bool HasKey(const std::string& keyPath) const;
    const RawValue* FindValue(const std::string& keyPath, const std::string& name) const;
    std::size_t ValueCount(const std::string& keyPath) const;
    std::size_t OpenKeys() const { return open_.size(); }
    // Calls made with a handle that is not open (never opened or already closed).
    std::size_t BadHandleUses() const { return badHandleUses_; }
    // The name of every value set since the last reset, in the order set.
    const std::vector<std::string>& SetValueLog() const { return setValueLog_; }

private:
    struct NoCaseLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Values = std::map<std::string, RawValue, NoCaseLess>;

    Values& MakeKey(const std::string& keyPath);
    Values* KeyOf(RegistryKey key);

    std::map<std::string, Values, NoCaseLess> keys_;
    std::list<std::string> open_;  // the path of each open handle; a handle is an element's address
    std::map<std::string, long, NoCaseLess> setErrors_;
    long createError_ = 0;
    long queryError_ = 0;
    std::size_t badHandleUses_ = 0;
    std::vector<std::string> setValueLog_;
};

#pragma once
// RAII owners for the Win32 handles the e2e tools use.

#include <windows.h>

#include <utility>

namespace e2e {

template <typename Handle, auto Close, auto Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Invalid);
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  void reset() {
    if (handle_ != Invalid) Close(std::exchange(handle_, Invalid));
  }

 private:
  Handle handle_ = Invalid;
};

using KernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using RegistryKey = UniqueHandle<HKEY, RegCloseKey>;

// Keeps the clipboard open for one scope.
class ClipboardSession {
 public:
  ClipboardSession() = default;
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  bool open() {
    open_ = OpenClipboard(nullptr) != FALSE;
    return open_;
  }

 private:
  bool open_ = false;
};

// GlobalLock for one scope.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  void* data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace e2e

// wtool commands for the pointer, the keyboard and the clipboard.

#include <windows.h>

#include <cstring>
#include <vector>

#include "tests/e2e/tools/common/KeyStroke.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/Handles.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"
#include "tests/e2e/tools/wtool/Windows.h"

namespace e2e {
namespace {

void sendKeyEvent(const KeyStroke& stroke, bool release) {
  const auto scan = stroke.scan ? *stroke.scan : static_cast<BYTE>(MapVirtualKeyA(stroke.vk, MAPVK_VK_TO_VSC));
  DWORD flags = 0;
  if (stroke.extended) flags |= KEYEVENTF_EXTENDEDKEY;
  if (release) flags |= KEYEVENTF_KEYUP;
  keybd_event(stroke.vk, scan, flags, 0);
}

// The clipboard can be held by another program for a moment: retry for a while.
void openClipboard(ClipboardSession& session) {
  if (!pollUntil(2000, [&] { return session.open(); })) {
    throw ToolError(kFailed, "could not open the clipboard: " + lastErrorText());
  }
}

}  // namespace

int commandCursor(const Args&) {
  POINT point{};
  if (!GetCursorPos(&point)) throw ToolError(kFailed, "GetCursorPos failed: " + lastErrorText());
  printLine(std::to_string(point.x) + " " + std::to_string(point.y));
  return 0;
}

int commandKeys(const Args& args) {
  std::vector<KeyStroke> strokes;
  for (const std::string& token : args) {
    const auto stroke = parseKeyStroke(token);
    if (!stroke) throw ToolError(kUsage, "not a key: '" + token + "'");
    strokes.push_back(*stroke);
  }
  for (const KeyStroke& stroke : strokes) {
    if (stroke.action != KeyAction::up) sendKeyEvent(stroke, false);
    if (stroke.action != KeyAction::down) sendKeyEvent(stroke, true);
  }
  return 0;
}

int commandClip(const Args&) {
  ClipboardSession session;
  openClipboard(session);
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) throw ToolError(kNotFound, "no text on the clipboard");
  GlobalLockGuard lock(data);
  if (!lock.data()) throw ToolError(kFailed, "GlobalLock failed: " + lastErrorText());
  const auto* text = static_cast<const char*>(lock.data());
  printLine(std::string(text, strnlen(text, GlobalSize(data))));
  return 0;
}

int commandSetClip(const Args& args) {
  const std::string& text = args[0];
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) throw ToolError(kFailed, "GlobalAlloc failed: " + lastErrorText());
  {
    GlobalLockGuard lock(memory);
    if (!lock.data()) {
      GlobalFree(memory);
      throw ToolError(kFailed, "GlobalLock failed");
    }
    std::memcpy(lock.data(), text.c_str(), text.size() + 1);
  }
  ClipboardSession session;
  openClipboard(session);
  EmptyClipboard();
  // On success the clipboard owns the memory.
  if (!SetClipboardData(CF_TEXT, memory)) {
    const std::string error = lastErrorText();
    GlobalFree(memory);
    throw ToolError(kFailed, "SetClipboardData failed: " + error);
  }
  return 0;
}

}  // namespace e2e

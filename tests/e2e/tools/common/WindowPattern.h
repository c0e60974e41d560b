#pragma once
// How the e2e tools name a window on their command line.
//
//   Top-level window:  TITLE (exact), ~SUB (title contains SUB), =TITLE (exact, even when it
//                      begins with '#', '~' or '='), #CLASS, #CLASS:TITLE (TITLE in any form above).
//   Control:           a number (its control id, decimal or 0x..), or the same forms, where a bare
//                      NAME matches a control whose text or class is NAME.
// Class names compare without regard to case, as Windows compares them; titles compare exactly.
// "#32770" names the system's dialog class "#32770" (a class of its own name is "##32770" then).

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

enum class TextMatch { any, exact, contains, textOrClass };

struct WindowPattern {
  std::optional<std::string> className;
  TextMatch match = TextMatch::any;
  std::string text;
};

struct ControlPattern {
  std::optional<int> id;
  WindowPattern window;
};

std::optional<WindowPattern> parseWindowPattern(std::string_view pattern);
std::optional<ControlPattern> parseControlPattern(std::string_view pattern);

bool matchesWindow(const WindowPattern& pattern, std::string_view className, std::string_view text);

}  // namespace e2e

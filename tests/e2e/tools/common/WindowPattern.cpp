#include "tests/e2e/tools/common/WindowPattern.h"

#include <limits>

#include "tests/e2e/tools/common/TextParse.h"

namespace e2e {
namespace {

// The system's own classes are named "#32770" (dialog), "#32768" (menu): "#32770" in a pattern
// names them, though the '#' that marks a class is gone by now.
bool classMatches(std::string_view wanted, std::string_view className) {
  if (equalsIgnoringCase(wanted, className)) return true;
  return className.starts_with('#') && equalsIgnoringCase(wanted, className.substr(1));
}

// TITLE, ~SUB or =TITLE into pattern.match and pattern.text.
bool parseTitle(std::string_view title, WindowPattern& pattern) {
  if (title.starts_with('~')) {
    if (title.size() == 1) return false;
    pattern.match = TextMatch::contains;
    pattern.text = title.substr(1);
    return true;
  }
  if (title.starts_with('=')) title.remove_prefix(1);
  pattern.match = TextMatch::exact;
  pattern.text = title;
  return true;
}

}  // namespace

std::optional<WindowPattern> parseWindowPattern(std::string_view pattern) {
  if (pattern.empty()) return std::nullopt;
  WindowPattern result;
  if (!pattern.starts_with('#')) {
    if (!parseTitle(pattern, result)) return std::nullopt;
    return result;
  }
  pattern.remove_prefix(1);
  const auto colon = pattern.find(':');
  result.className = std::string(pattern.substr(0, colon));
  if (result.className->empty()) return std::nullopt;
  if (colon != std::string_view::npos && !parseTitle(pattern.substr(colon + 1), result)) return std::nullopt;
  return result;
}

std::optional<ControlPattern> parseControlPattern(std::string_view pattern) {
  ControlPattern result;
  if (const auto id = parseIntegerIn(pattern, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())) {
    result.id = static_cast<int>(*id);
    return result;
  }
  auto window = parseWindowPattern(pattern);
  if (!window) return std::nullopt;
  const bool bare = !pattern.starts_with('#') && !pattern.starts_with('~') && !pattern.starts_with('=');
  if (bare) window->match = TextMatch::textOrClass;
  result.window = *window;
  return result;
}

bool matchesWindow(const WindowPattern& pattern, std::string_view className, std::string_view text) {
  if (pattern.className && !classMatches(*pattern.className, className)) return false;
  switch (pattern.match) {
    case TextMatch::any: return true;
    case TextMatch::exact: return text == pattern.text;
    case TextMatch::contains: return text.find(pattern.text) != std::string_view::npos;
    case TextMatch::textOrClass: return text == pattern.text || classMatches(pattern.text, className);
  }
  return false;
}

}  // namespace e2e

#include "tests/e2e/tools/common/WindowSpec.h"

#include <limits>

#include "tests/e2e/tools/common/TextParse.h"

namespace e2e {
namespace {

// The system's own classes are named "#32770" (dialog), "#32768" (menu): "#32770" in a spec
// names them, though the '#' that marks a class is gone by now.
bool classMatches(std::string_view wanted, std::string_view className) {
  if (equalsIgnoringCase(wanted, className)) return true;
  return className.starts_with('#') && equalsIgnoringCase(wanted, className.substr(1));
}

// TITLE, ~SUB or =TITLE into spec.match and spec.text.
bool parseTitle(std::string_view title, WindowSpec& spec) {
  if (title.starts_with('~')) {
    if (title.size() == 1) return false;
    spec.match = TextMatch::contains;
    spec.text = title.substr(1);
    return true;
  }
  if (title.starts_with('=')) title.remove_prefix(1);
  spec.match = TextMatch::exact;
  spec.text = title;
  return true;
}

}  // namespace

std::optional<WindowSpec> parseWindowSpec(std::string_view spec) {
  if (spec.empty()) return std::nullopt;
  WindowSpec result;
  if (!spec.starts_with('#')) {
    if (!parseTitle(spec, result)) return std::nullopt;
    return result;
  }
  spec.remove_prefix(1);
  const auto colon = spec.find(':');
  result.className = std::string(spec.substr(0, colon));
  if (result.className->empty()) return std::nullopt;
  if (colon != std::string_view::npos && !parseTitle(spec.substr(colon + 1), result)) return std::nullopt;
  return result;
}

std::optional<ControlSpec> parseControlSpec(std::string_view spec) {
  ControlSpec result;
  if (const auto id = parseIntegerIn(spec, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())) {
    result.id = static_cast<int>(*id);
    return result;
  }
  auto window = parseWindowSpec(spec);
  if (!window) return std::nullopt;
  const bool bare = !spec.starts_with('#') && !spec.starts_with('~') && !spec.starts_with('=');
  if (bare) window->match = TextMatch::textOrClass;
  result.window = *window;
  return result;
}

bool matchesWindow(const WindowSpec& spec, std::string_view className, std::string_view text) {
  if (spec.className && !classMatches(*spec.className, className)) return false;
  switch (spec.match) {
    case TextMatch::any: return true;
    case TextMatch::exact: return text == spec.text;
    case TextMatch::contains: return text.find(spec.text) != std::string_view::npos;
    case TextMatch::textOrClass: return text == spec.text || classMatches(spec.text, className);
  }
  return false;
}

}  // namespace e2e

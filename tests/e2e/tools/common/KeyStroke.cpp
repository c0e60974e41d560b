#include "tests/e2e/tools/common/KeyStroke.h"

#include <array>
#include <cctype>
#include <utility>

#include "tests/e2e/tools/common/TextParse.h"

namespace e2e {
namespace {

struct KeyName {
  std::string_view name;
  std::uint8_t vk;
};

// Virtual-key codes of the keys our tests press by name.
constexpr std::array kKeyNames{
    KeyName{"back", 0x08},       KeyName{"backspace", 0x08},  KeyName{"tab", 0x09},
    KeyName{"enter", 0x0d},      KeyName{"return", 0x0d},     KeyName{"shift", 0x10},
    KeyName{"ctrl", 0x11},       KeyName{"control", 0x11},    KeyName{"alt", 0x12},
    KeyName{"pause", 0x13},      KeyName{"capslock", 0x14},   KeyName{"esc", 0x1b},
    KeyName{"escape", 0x1b},     KeyName{"space", 0x20},      KeyName{"pageup", 0x21},
    KeyName{"pagedown", 0x22},   KeyName{"end", 0x23},        KeyName{"home", 0x24},
    KeyName{"left", 0x25},       KeyName{"up", 0x26},         KeyName{"right", 0x27},
    KeyName{"down", 0x28},       KeyName{"insert", 0x2d},     KeyName{"delete", 0x2e},
    KeyName{"del", 0x2e},        KeyName{"lwin", 0x5b},       KeyName{"rwin", 0x5c},
    KeyName{"apps", 0x5d},       KeyName{"lshift", 0xa0},     KeyName{"rshift", 0xa1},
    KeyName{"lctrl", 0xa2},      KeyName{"rctrl", 0xa3},      KeyName{"lalt", 0xa4},
    KeyName{"ralt", 0xa5},       KeyName{"browserback", 0xa6}, KeyName{"browserforward", 0xa7},
};

std::optional<std::uint8_t> functionKey(std::string_view name) {
  if (name.size() < 2 || (name[0] != 'f' && name[0] != 'F') || name[1] == '0') return std::nullopt;
  const auto number = parseIntegerIn(name.substr(1), 1, 24);
  if (!number) return std::nullopt;
  return static_cast<std::uint8_t>(0x70 + *number - 1);
}

// Splits "a:b:c" at the first ':'.
std::pair<std::string_view, std::string_view> splitColon(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) return {text, {}};
  return {text.substr(0, colon), text.substr(colon + 1)};
}

}  // namespace

std::optional<std::uint8_t> parseVirtualKey(std::string_view key) {
  if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
    return static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(key[0])));
  }
  for (const KeyName& entry : kKeyNames) {
    if (equalsIgnoringCase(entry.name, key)) return entry.vk;
  }
  if (auto vk = functionKey(key)) return vk;
  if (key.starts_with("0x") || key.starts_with("0X")) {
    if (auto value = parseIntegerIn(key, 1, 0xfe)) return static_cast<std::uint8_t>(*value);
  }
  return std::nullopt;
}

std::optional<KeyStroke> parseKeyStroke(std::string_view token) {
  KeyStroke stroke;
  if (token.ends_with(':')) return std::nullopt;
  if (!token.empty() && (token.front() == '+' || token.front() == '-')) {
    stroke.action = token.front() == '+' ? KeyAction::down : KeyAction::up;
    token.remove_prefix(1);
  }
  auto [key, rest] = splitColon(token);
  const auto vk = parseVirtualKey(key);
  if (!vk) return std::nullopt;
  stroke.vk = *vk;
  while (!rest.empty()) {
    auto [part, next] = splitColon(rest);
    if (part == "ext" && !stroke.extended) {
      stroke.extended = true;
    } else if (auto scan = parseIntegerIn(part, 0, 0xff); scan && !stroke.scan && !stroke.extended) {
      stroke.scan = static_cast<std::uint8_t>(*scan);
    } else {
      return std::nullopt;
    }
    rest = next;
  }
  return stroke;
}

}  // namespace e2e

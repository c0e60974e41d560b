#pragma once
// One keyboard event (or press) named on the command line of `wtool keys`.
//
//   TOKEN := [+|-] KEY [:SCAN] [:ext]
//   KEY   := a name (ctrl, shift, alt, enter, esc, tab, space, up, down, left, right, f1 ...),
//            one letter or digit (its own virtual-key code), or a number such as 0x43
//   '+' only presses the key, '-' only releases it, no sign does both.
//   SCAN is the scan code to send (decimal or 0x..; default: the keyboard layout's),
//   ":ext" sets the extended-key flag.

#include <cstdint>
#include <optional>
#include <string_view>

namespace e2e {

enum class KeyAction { press, down, up };

struct KeyStroke {
  KeyAction action = KeyAction::press;
  std::uint8_t vk = 0;
  std::optional<std::uint8_t> scan;
  bool extended = false;
};

std::optional<KeyStroke> parseKeyStroke(std::string_view token);

// The virtual-key code of a KEY as above, without sign or suffixes.
std::optional<std::uint8_t> parseVirtualKey(std::string_view key);

}  // namespace e2e

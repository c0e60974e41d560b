// The e2e tools' command-line parsing: a wrong parse would make a test drive the wrong window,
// send the wrong key or plant the wrong bytes, and pass or fail for the wrong reason.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/tools/common/KeyStroke.h"
#include "tests/e2e/tools/common/RegistryPath.h"
#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/WindowPattern.h"

namespace e2e {
namespace {

TEST(ParseInteger, AcceptsDecimalAndHexWithSignAndRejectsTheRest) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> expected;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"-1", -1},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-0x10", -16},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"9223372036854775808", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"0x", std::nullopt},
      {"12a", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"0x1g", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseInteger(c.text), c.expected);
  }
}

TEST(ParseInteger, InRangeRejectsValuesOutsideTheBounds) {
  EXPECT_EQ(parseIntegerIn("5", 0, 5), 5);
  EXPECT_EQ(parseIntegerIn("6", 0, 5), std::nullopt);
  EXPECT_EQ(parseIntegerIn("-1", 0, 5), std::nullopt);
}

TEST(HexBytes, ParseAndPrintRoundTrip) {
  struct Case {
    const char* hex;
    std::optional<std::vector<std::uint8_t>> bytes;
  };
  const Case cases[] = {
      {"", std::vector<std::uint8_t>{}},
      {"3100", std::vector<std::uint8_t>{0x31, 0x00}},
      {"aBcD", std::vector<std::uint8_t>{0xab, 0xcd}},
      {"ff00ff", std::vector<std::uint8_t>{0xff, 0x00, 0xff}},
      {"123", std::nullopt},
      {"zz", std::nullopt},
      {"0x31", std::nullopt},
      {"31 00", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    const auto bytes = parseHexBytes(c.hex);
    EXPECT_EQ(bytes, c.bytes);
    if (bytes) {
      std::string lower = c.hex;
      for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      EXPECT_EQ(toHex(*bytes), lower);
    }
  }
}

TEST(KeyStroke, ParsesSignKeyScanAndExtendedFlag) {
  struct Case {
    const char* token;
    KeyAction action;
    std::uint8_t vk;
    std::optional<std::uint8_t> scan;
    bool extended;
  };
  const Case cases[] = {
      {"a", KeyAction::press, 0x41, std::nullopt, false},
      {"Z", KeyAction::press, 0x5a, std::nullopt, false},
      {"7", KeyAction::press, 0x37, std::nullopt, false},
      {"+ctrl:69:ext", KeyAction::down, 0x11, 69, true},
      {"-CTRL:69:ext", KeyAction::up, 0x11, 69, true},
      {"-0x43", KeyAction::up, 0x43, std::nullopt, false},
      {"enter:0x1c", KeyAction::press, 0x0d, 0x1c, false},
      {"down:ext", KeyAction::press, 0x28, std::nullopt, true},
      {"esc", KeyAction::press, 0x1b, std::nullopt, false},
      {"f1", KeyAction::press, 0x70, std::nullopt, false},
      {"F12", KeyAction::press, 0x7b, std::nullopt, false},
      {"f24", KeyAction::press, 0x87, std::nullopt, false},
      {"browserback", KeyAction::press, 0xa6, std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    const auto stroke = parseKeyStroke(c.token);
    ASSERT_TRUE(stroke.has_value());
    EXPECT_EQ(stroke->action, c.action);
    EXPECT_EQ(stroke->vk, c.vk);
    EXPECT_EQ(stroke->scan, c.scan);
    EXPECT_EQ(stroke->extended, c.extended);
  }
}

TEST(KeyStroke, RejectsWhatItCannotSendExactly) {
  const char* const tokens[] = {"",         "+",        "ctrl:",  "ctrl::ext", "ctrl:ext:69", "ctrl:69:69",
                                "ctrl:256", "ctrl:-1",  "nokey",  "0x00",      "0xff",        "f0",
                                "f25",      "f01",      "ab",     "ctrl:exte", "++a",         "0x100"};
  for (const char* token : tokens) {
    SCOPED_TRACE(token);
    EXPECT_FALSE(parseKeyStroke(token).has_value());
  }
}

TEST(WindowPattern, MatchesByTitleSubstringClassAndBoth) {
  struct Case {
    const char* pattern;
    const char* className;
    const char* title;
    bool matches;
  };
  const Case cases[] = {
      {"Edgeroam 2", "#32770", "Edgeroam 2", true},
      {"Edgeroam 2", "#32770", "Edgeroam 2 : Options", false},
      {"~Options", "TForm1", "Edgeroam 2 : Options", true},
      {"~options", "TForm1", "Edgeroam 2 : Options", false},
      {"#32770", "#32770", "anything", true},
      {"#32770", "Button", "anything", false},
      {"#32768", "#32768", "", true},
      {"##32770", "#32770", "x", true},
      {"#__winex11_standalone_tray", "__WINEX11_STANDALONE_TRAY", "", true},
      {"#32770:Edgeroam 2", "#32770", "Edgeroam 2", true},
      {"#32770:Edgeroam 2", "TForm1", "Edgeroam 2", false},
      {"#32770:Edgeroam 2", "#32770", "Edgeroam 2 component", false},
      {"#32770:~component", "#32770", "Edgeroam 2 component", true},
      {"#32770:=~literal", "#32770", "~literal", true},
      {"#32770:Edgeroam 2 : Korvantis(TM)", "#32770", "Edgeroam 2 : Korvantis(TM)", true},
      {"=#not a class", "X", "#not a class", true},
      {"=", "X", "", true},
      {"=", "X", "x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.className + " / " + c.title);
    const auto pattern = parseWindowPattern(c.pattern);
    ASSERT_TRUE(pattern.has_value());
    EXPECT_EQ(matchesWindow(*pattern, c.className, c.title), c.matches);
  }
  for (const char* bad : {"", "#", "#:title", "~", "#32770:~"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(parseWindowPattern(bad).has_value());
  }
}

TEST(ControlPattern, NumbersAreIdsAndBareNamesMatchTextOrClass) {
  struct Case {
    const char* pattern;
    std::optional<int> id;
  };
  for (const Case& c : {Case{"1", 1}, Case{"0xffff", 0xffff}, Case{"-1", -1}, Case{"&Ok", std::nullopt}}) {
    SCOPED_TRACE(c.pattern);
    const auto pattern = parseControlPattern(c.pattern);
    ASSERT_TRUE(pattern.has_value());
    EXPECT_EQ(pattern->id, c.id);
  }
  const auto bare = parseControlPattern("__winex11_tray_icon");
  ASSERT_TRUE(bare.has_value());
  EXPECT_TRUE(matchesWindow(bare->window, "__winex11_tray_icon", ""));
  EXPECT_TRUE(matchesWindow(bare->window, "Static", "__winex11_tray_icon"));
  EXPECT_FALSE(matchesWindow(bare->window, "Static", "other"));

  const auto byClass = parseControlPattern("#Edit");
  ASSERT_TRUE(byClass.has_value());
  EXPECT_TRUE(matchesWindow(byClass->window, "Edit", "200"));
  EXPECT_FALSE(matchesWindow(byClass->window, "Static", "Edit"));
}

TEST(RegistryPath, ParsesShortAndLongRootNames) {
  struct Case {
    const char* path;
    RegistryRoot root;
    const char* subkey;
  };
  const Case cases[] = {
      {"HKCU\\Software\\KorvantisTM\\Edgeroam2", RegistryRoot::currentUser, "Software\\KorvantisTM\\Edgeroam2"},
      {"hkey_current_user\\Software", RegistryRoot::currentUser, "Software"},
      {"HKLM\\Software\\Microsoft", RegistryRoot::localMachine, "Software\\Microsoft"},
      {"HKCR\\.txt", RegistryRoot::classesRoot, ".txt"},
      {"HKU\\.DEFAULT", RegistryRoot::users, ".DEFAULT"},
      {"HKCU", RegistryRoot::currentUser, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const auto path = parseRegistryPath(c.path);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->root, c.root);
    EXPECT_EQ(path->subkey, c.subkey);
  }
  for (const char* bad : {"", "Software\\X", "HKXX\\X", "HKCUX\\X"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(parseRegistryPath(bad).has_value());
  }
}

TEST(RegistryType, NamesAndNumbers) {
  struct Case {
    const char* text;
    std::optional<std::uint32_t> type;
  };
  const Case cases[] = {
      {"REG_EXPAND_SZ", 2}, {"reg_sz", 1}, {"REG_BINARY", 3}, {"REG_DWORD", 4}, {"REG_MULTI_SZ", 7},
      {"REG_QWORD", 11},    {"7", 7},      {"0x2", 2},        {"REG_FOO", std::nullopt}, {"-1", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseRegistryType(c.text), c.type);
  }
  EXPECT_EQ(registryTypeName(2), "REG_EXPAND_SZ");
  EXPECT_EQ(registryTypeName(0), "REG_NONE");
  EXPECT_EQ(registryTypeName(42), "42");
}

}  // namespace
}  // namespace e2e

// The settings store: five short texts in the current user's registry key,
// shared by the pointer service and the options editor.
#pragma once

#include "forms/SysUtils.h"
#include "shared/Registry.h"

inline constexpr char kSettingsKey[] = "Software\\KorvantisTM\\Edgeroam2";

// Value names.
inline constexpr char kSettingOnStartUp[] = "OnStartUp";
inline constexpr char kSettingRecogActive[] = "RecogActive";
inline constexpr char kSettingHoriRecog[] = "HoriRecog";
inline constexpr char kSettingVertRecog[] = "VertRecog";
inline constexpr char kSettingRecogTimeout[] = "RecogTimeout";

// A stored text has at most this many characters: it is read into a buffer
// of kSettingBufferSize bytes together with its NUL.
inline constexpr unsigned kSettingBufferSize = 80;
inline constexpr unsigned kSettingMaxLength = kSettingBufferSize - 1;

// Returns the named value's text. A key that cannot be opened is reported in
// a message box; a missing value, data that do not fit the buffer or data
// without a NUL give the empty text. Whatever the value's type, it reads as text.
String ReadSetting(const char* name);

// True only when the settings key could be opened and holds no value of that
// name. A key that cannot be opened, or a query that fails for another reason,
// gives false without a message, so that a caller that fills in missing values
// never writes over data it could not see.
bool SettingMissing(const char* name);

// Stores text as the named value (REG_EXPAND_SZ, the text and its NUL).
// Failures are reported in a message box; the caller is not told.
void WriteSetting(const char* name, const char* text);
void WriteSetting(const char* name, const String& text);

// The same on a given registry (tests on a key of their own).
String ReadSetting(Registry& registry, const char* name);
bool SettingMissing(Registry& registry, const char* name);
void WriteSetting(Registry& registry, const char* name, const char* text);

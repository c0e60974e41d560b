// The command line between the launcher, the pointer service and the options
// editor: the argument text must carry the launch switch; the service's also
// carries the recognition timeout in milliseconds (for 200 ms: /ok200).
#pragma once

#include "forms/SysUtils.h"

inline constexpr char kLaunchSwitch[] = "/ok";

// What either program shows when it is started without its switch.
inline constexpr char kNotLaunchedText[] = "Can not be run directly, please use 'Edgeroam2StartUp.exe'.";
inline constexpr char kNotLaunchedCaption[] = "Edgeroam 2 component";

// The service's test: the first three characters are the switch, case ignored.
bool ServiceSwitchGiven(const char* args);

// The editor's test: the argument text is exactly the switch.
bool EditorSwitchGiven(const char* args);

// The service's timeout: StrToInt of everything after the switch's three
// characters, whatever they are. Raises EConvertError when that is not an
// integer (the empty text included).
int RecogTimeoutFromArgs(const String& args);

// The argument text that WinMain receives for a full command line: the
// command line less the program name (quoted or not, a quote running to the
// next quote) and the blanks and tabs after it; trailing blanks stay. The
// result points into commandLine.
const char* ArgumentText(const char* commandLine);

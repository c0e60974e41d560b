// Full command lines and the argument text that WinMain receives for each;
// the host test checks ArgumentText on them, the Windows test checks them
// against a real WinMain as well.
#pragma once

#include <ostream>

struct CommandLineCase {
    const char* commandLine;
    const char* args;
};

inline void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << '"' << c.commandLine << '"'; }

inline constexpr CommandLineCase kCommandLineCases[] = {
    {"edgeroam2.exe /ok300", "/ok300"},
    {"C:\\Edgeroam2\\edgeroam2.exe /OK250", "/OK250"},
    {"\"C:\\Program Files\\Edgeroam 2\\edgeroam2.exe\" /ok300", "/ok300"},
    {"edgeroam2.exe     /ok300", "/ok300"},
    {"edgeroam2.exe\t/ok300", "/ok300"},
    {"edgeroam2.exe \t \t/ok300", "/ok300"},
    {"options.exe /ok  ", "/ok  "},
    {"options.exe /ok\t", "/ok\t"},
    {"edgeroam2.exe /ok300 more words", "/ok300 more words"},
    {"edgeroam2.exe \"/ok300\"", "\"/ok300\""},
    {"edgeroam2.exe", ""},
    {"edgeroam2.exe   ", ""},
    {"\"\" /ok", "/ok"},
    // Blanks before the name end an empty name; the name follows as argument text.
    {"   \tedgeroam2.exe /ok300", "edgeroam2.exe /ok300"},
    // A quote does not end the name: it runs on to the next blank outside quotes.
    {"\"edgeroam2.exe\"/ok300", ""},
    {"C:\\Edge\"roam 2\"\\edgeroam2.exe /ok300", "/ok300"},
    {"\"C:\\Edgeroam 2\\edgeroam2.exe /ok300", ""},
    // Every control character counts as a blank.
    {"edgeroam2.exe\r\n/ok300", "/ok300"},
    {"edgeroam2.exe \x01/ok300", "/ok300"},
    // So does every byte from 0x80 up, outside quotes.
    {"C:\\Caf\xe9\\edgeroam2.exe /ok300", "\\edgeroam2.exe /ok300"},
    {"\"C:\\Caf\xe9\\edgeroam2.exe\" /ok300", "/ok300"},
    {"", ""},
};

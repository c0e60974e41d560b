// Run-time routines the programs use: text conversion and the exception class.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

using String = std::string;

// Base of every error the programs report through Application->ShowException.
class Exception : public std::exception {
public:
    explicit Exception(String message) : message_(std::move(message)) {}
    const String& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    String message_;
};

// Raised by StrToInt for a text that is not a 32-bit decimal integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Optional leading blanks, an optional sign, decimal digits that fit a signed
// 32-bit integer, nothing after. Anything else raises EConvertError with the
// message "'<text>' is not a valid integer value".
int StrToInt(const String& text);
String IntToStr(int value);

// Compares at most maxLen characters, case ignored (ASCII). <0, 0 or >0 like strcmp.
int StrLIComp(const char* a, const char* b, std::size_t maxLen);

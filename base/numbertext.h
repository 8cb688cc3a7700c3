#pragma once
// Number texts of the log lines: hexadecimal addresses and codes, kilobytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// "$" and 8 upper-case hexadecimal digits of the low 32 bits: 16777215 -> "$00FFFFFF".
std::string hexaddress(int64_t value);
// The 8 digits without "$".
std::string hexdigits8(int64_t value);
// 4 upper-case hexadecimal digits of the low 16 bits.
std::string hexdigits4(int64_t value);

// The value of an ASCII hexadecimal digit (either case), -1 for any other character.
int hexdigitvalue(char c);
// The byte written as two hexadecimal digits at text[pos]; -1 where two digits do not follow.
int hexbytevalue(std::string_view text, size_t pos);

// Bytes as kilobytes with a decimal comma, two decimals cut (not rounded) and "." between
// groups of three digits: 3072000 -> "3.000,00".
std::string kilobytetext(int64_t bytes);

} // namespace base

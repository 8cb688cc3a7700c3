#pragma once
// Hexadecimal texts of log lines and of the line editor's character codes.
#include <cstdint>
#include <string>

// "$" and 8 upper-case hexadecimal digits of the low 32 bits: 16777215 -> "$00FFFFFF".
std::string hexaddress(int64_t value);
// The 8 digits without "$".
std::string hexdigits8(int64_t value);
// 4 upper-case hexadecimal digits of the low 16 bits.
std::string hexdigits4(int64_t value);

// The value of an ASCII hexadecimal digit (either case), -1 for any other character.
int hexdigitvalue(char c);

#pragma once
// Two-digit years of a birth date.
#include <string>
#include <string_view>

// A year below 100 is read as two digits: below 20 it lies in 2000 … 2019, otherwise in
// 1920 … 1999. Returns day, month and year in plain decimal without leading zeros (5.12.1985).
std::string withcentury(std::string_view date);

#pragma once
// Number texts of the log lines.
#include "core/hextext.h"

#include <cstdint>
#include <string>

// Bytes as kilobytes with a decimal comma, two decimals cut (not rounded) and "." between
// groups of three digits: 3072000 -> "3.000,00".
std::string kilobytetext(int64_t bytes);

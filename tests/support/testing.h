#pragma once
// What every test file uses: GoogleTest, the public API, the captured log lines, running code as
// the program does, and the standard containers and algorithms.
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;
using Numbers = std::vector<int64_t>;

#pragma once
// The cycle-chart program run in this process through the snapshot machinery: real program entry,
// keys typed into window 0 through the view, today's date fixed. Once per test process.
#include "app/cycleprogram.h"
#include "toolkit/commandline.h"
#include "toolkit/headless.h"

#include <gtest/gtest.h>
#include <string>

// The example's keys: born 5.12.1985, the chart of 05.12.2026.
inline constexpr char examplekeys[] = "5.12.1985\\r\\x1a05.12.2026\\r";

inline toolkit::SnapshotResult runchart(const std::string& keys,
                                        const std::string& today = "06.12.2026") {
    std::string error;
    std::vector<uint32_t> typed = toolkit::parsekeys(keys, error);
    EXPECT_EQ(error, "");
    toolkit::SnapshotRequest request;
    request.keys = typed;
    request.today = toolkit::parsetoday(today);
    toolkit::SnapshotResult result = toolkit::takesnapshot(cycleprogram, request);
    EXPECT_TRUE(result.finished);
    return result;
}

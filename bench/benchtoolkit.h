#pragma once
// The set-up every toolkit benchmark shares: the offscreen application, the interface and the
// toolkit's handlers on the main thread (where platform work runs inline, so no program thread
// is needed), windows made by the benchmark's own function with the log silenced. The toolkit's
// lines go to standard error, so standard output carries only the report: with
// --benchmark_format=json it stays valid JSON.
#include "base/log.h"
#include "base/tables.h"
#include "core/appdelegate.h"
#include "display/resources.h"
#include "platform/platform.h"
#include "quorvinthal/toolkit.h"
#include "toolkit/setup.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

inline void toolkittexttostandarderror() {
    base::setlogsink([](std::string_view line) {
        const std::string whole = std::string(line) + "\n";
        [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, whole.data(), whole.size());
    });
    base::setoutputsink([](std::string_view text) {
        [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    });
}

inline int runtoolkitbenchmarks(int argc, char** argv, const std::function<void()>& makewindows) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    toolkittexttostandarderror();
    platform::initapplication(argc, argv);
    display::setresourcefolders({QV_DATA_DIR});
    toolkit::setup();
    base::initkqtools();
    base::TextSink previous = base::setlogsink([](std::string_view) {});
    makewindows();
    base::setlogsink(previous);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(stdout);
    // The auto-update thread runs for the life of the process; leave without unwinding it.
    std::_Exit(0);
}

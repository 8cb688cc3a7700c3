#pragma once
// Captures the diagnostic lines and redirected output for the lifetime of the object.
#include "base/log.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

class LogCapture {
  public:
    LogCapture() {
        previouslog = base::setlogsink([this](std::string_view line) {
            std::lock_guard lock(mutex);
            captured.emplace_back(line);
        });
        previousoutput = base::setoutputsink([this](std::string_view text) {
            std::lock_guard lock(mutex);
            outputtext.append(text);
        });
    }
    ~LogCapture() {
        base::setlogsink(std::move(previouslog));
        base::setoutputsink(std::move(previousoutput));
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex);
        return captured;
    }
    std::string output() const {
        std::lock_guard lock(mutex);
        return outputtext;
    }
    bool contains(const std::string& line) const { return count(line) > 0; }
    size_t count(const std::string& line) const {
        std::lock_guard lock(mutex);
        return static_cast<size_t>(std::count(captured.begin(), captured.end(), line));
    }
    void clear() {
        std::lock_guard lock(mutex);
        captured.clear();
        outputtext.clear();
    }

  private:
    mutable std::mutex mutex;
    std::vector<std::string> captured;
    std::string outputtext;
    base::TextSink previouslog;
    base::TextSink previousoutput;
};

// The captured lines without those that background work logs at its own time: the bell's
// one-time report about the audio device and the auto-update thread's start.
inline std::vector<std::string> foregroundlines(const LogCapture& log) {
    std::vector<std::string> lines = log.lines();
    std::erase_if(lines, [](const std::string& line) {
        return line.starts_with("bell: ") || line.starts_with("t_WindowAutoUpdateProcess: ");
    });
    return lines;
}

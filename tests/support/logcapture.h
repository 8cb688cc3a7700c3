#pragma once
// Captures the diagnostic lines and redirected output for the lifetime of the object.
#include "base/log.h"
#include "quorvinthal/toolkit.h"

#include <mutex>
#include <string>
#include <vector>

class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const;
    std::string output() const;
    bool contains(const std::string& line) const { return count(line) > 0; }
    size_t count(const std::string& line) const;
    void clear();

  private:
    mutable std::mutex mutex;
    std::vector<std::string> captured;
    std::string outputtext;
    base::TextSink previouslog;
    base::TextSink previousoutput;
};

// The captured lines without those that background work logs at its own time: the bell's
// one-time report about the audio device and the auto-update thread's start.
std::vector<std::string> foregroundlines(const LogCapture& log);

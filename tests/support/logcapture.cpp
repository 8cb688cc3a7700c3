#include "tests/support/logcapture.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

LogCapture::LogCapture() {
    previouslog = base::setlogsink([this](std::string_view line) {
        std::lock_guard lock(mutex);
        captured.emplace_back(line);
    });
    previousoutput = base::setoutputsink([this](std::string_view text) {
        std::lock_guard lock(mutex);
        outputtext.append(text);
    });
}

LogCapture::~LogCapture() {
    base::setlogsink(std::move(previouslog));
    base::setoutputsink(std::move(previousoutput));
}

std::vector<std::string> LogCapture::lines() const {
    std::lock_guard lock(mutex);
    return captured;
}

std::string LogCapture::output() const {
    std::lock_guard lock(mutex);
    return outputtext;
}

size_t LogCapture::count(const std::string& line) const {
    std::lock_guard lock(mutex);
    return static_cast<size_t>(std::count(captured.begin(), captured.end(), line));
}

void LogCapture::clear() {
    std::lock_guard lock(mutex);
    captured.clear();
    outputtext.clear();
}

std::vector<std::string> foregroundlines(const LogCapture& log) {
    std::vector<std::string> lines = log.lines();
    std::erase_if(lines, [](const std::string& line) {
        return line.starts_with("bell: ") || line.starts_with("t_WindowAutoUpdateProcess: ");
    });
    return lines;
}

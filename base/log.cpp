#include "base/log.h"

#include "base/lasting.h"
#include "base/slot.h"

#include <string>
#include <unistd.h>

namespace base {

namespace {

struct LogState {
    Slot<TextSink> log;
    Slot<TextSink> output;
};

LogState& state() {
    return lasting<LogState>();
}

void writeall(std::string_view text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(STDOUT_FILENO, p, left);
        if (n <= 0) {
            return;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

} // namespace

void logline(std::string_view line) {
    if (TextSink sink = state().log.get()) {
        sink(line);
        return;
    }
    std::string whole;
    whole.reserve(line.size() + 1);
    whole.append(line);
    whole.push_back('\n');
    writeall(whole);
}

void writeoutput(std::string_view text) {
    if (TextSink sink = state().output.get()) {
        sink(text);
        return;
    }
    writeall(text);
}

TextSink setlogsink(TextSink sink) {
    return state().log.exchange(std::move(sink));
}
TextSink setoutputsink(TextSink sink) {
    return state().output.exchange(std::move(sink));
}

} // namespace base

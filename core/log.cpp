#include "core/log.h"

#include <mutex>
#include <unistd.h>

namespace {

std::mutex sinkmutex;
TextSink logsink;
TextSink outputsink;

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

TextSink currentsink(const TextSink& sink) {
    std::lock_guard lock(sinkmutex);
    return sink;
}

TextSink replacesink(TextSink& slot, TextSink sink) {
    std::lock_guard lock(sinkmutex);
    TextSink previous = std::move(slot);
    slot = std::move(sink);
    return previous;
}

} // namespace

void logline(std::string_view line) {
    if (TextSink sink = currentsink(logsink)) {
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
    if (TextSink sink = currentsink(outputsink)) {
        sink(text);
        return;
    }
    writeall(text);
}

TextSink setlogsink(TextSink sink) {
    return replacesink(logsink, std::move(sink));
}
TextSink setoutputsink(TextSink sink) {
    return replacesink(outputsink, std::move(sink));
}

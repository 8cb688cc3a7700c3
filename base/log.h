#pragma once
// Diagnostic lines and redirected program output on standard output.
//
// Each call writes its text with a single write, so lines of different threads never interleave.
// Tests replace the sinks to capture what would have been written.
#include <functional>
#include <string_view>

namespace base {

using TextSink = std::function<void(std::string_view)>;

// One diagnostic line; the line end is added here. The sink receives the line without it.
void logline(std::string_view line);

// Text without a line end (characters of a window whose output goes to standard output).
void writeoutput(std::string_view text);

// Replace the sinks; an empty function restores standard output. Returns the previous sink.
TextSink setlogsink(TextSink sink);
TextSink setoutputsink(TextSink sink);

} // namespace base

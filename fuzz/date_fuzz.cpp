// Date texts and numbers through the date functions of the cycle-chart program: nothing throws,
// every valid date round-trips through its day number, its normalised text and the two-digit year
// rule, and numbers format to at least their width.
#include "app/calendar.h"
#include "app/century.h"
#include "app/dateformat.h"
#include "app/datetext.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

int64_t number(std::string_view bytes, size_t at) {
    uint64_t value = 0;
    for (size_t i = at; i < at + 8 && i < bytes.size(); ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[i]);
    }
    return static_cast<int64_t>(value);
}

int64_t scalars(std::string_view text) {
    int64_t count = 0;
    for (const char c : text) {
        count += (static_cast<uint8_t>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

bool isvalid(const DateParts& d) {
    return d.year >= 1 && d.year <= maxyear && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysinmonth(d.month, d.year);
}

// A valid normalised date: its parts read back, its day number gives it again, and so does every
// other way of writing it.
void checknormalised(const std::string& date) {
    const DateParts d = splitdate(date);
    require(isvalid(d));
    require(checkdate(date) == date);
    const int64_t day = daynumber(d.day, d.month, d.year);
    require(day >= 0);
    require(datefromdaynumber(day) == date);
    require(datefromdaynumber(day + 1) != date);
    const int64_t w = weekday(date);
    require(w >= 0 && w <= 6);
    require(!weekdayname(w).empty());
    require((weekday(datefromdaynumber(day + 1)) + 6) % 7 == w);
    const std::string plain = withcentury(date);
    if (d.year >= 100) {
        require(checkdate(plain) == date);
    }
    require(checkdate(std::to_string(d.day) + "," + std::to_string(d.month) + "," +
                      std::to_string(d.year)) == date);
}

void checktext(std::string_view text) {
    const std::string checked = checkdate(text);
    if (!checked.empty()) {
        checknormalised(checked);
    }
    (void)withcentury(text);
    const DateParts d = splitdate(text);
    if (isvalid(d)) {
        checknormalised(datefromdaynumber(daynumber(d.day, d.month, d.year)));
    }
}

void checknumbers(std::string_view bytes) {
    const int64_t day = number(bytes, 0) % 40, month = number(bytes, 8) % 16;
    const int64_t year = number(bytes, 16);
    (void)daynumber(day, month, year);
    (void)daysinmonth(month, year);
    (void)isleapyear(year);
    if (isvalid({day, month, year})) {
        checknormalised(datefromdaynumber(daynumber(day, month, year)));
    }
    const int64_t value = number(bytes, 24), fill = number(bytes, 32) % 0x110000;
    const int64_t width = number(bytes, 40) % 70000;
    const bool grouping = bytes.size() > 48 && (bytes[48] & 1) != 0;
    const std::string text = formatnumber(value, fill, width, grouping);
    require(!text.empty());
    if (fill >= 32 && !(fill >= 0xD800 && fill <= 0xDFFF) && width <= 32767) {
        require(scalars(text) >= width);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checktext(bytes);
    checknumbers(bytes);
    return 0;
}

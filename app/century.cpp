#include "app/century.h"

#include "app/datetext.h"

std::string withcentury(std::string_view date) {
    DateParts parts = splitdate(date);
    if (parts.year < 100) {
        parts.year += parts.year < 20 ? 2000 : 1900;
    }
    return std::to_string(parts.day) + "." + std::to_string(parts.month) + "." +
           std::to_string(parts.year);
}

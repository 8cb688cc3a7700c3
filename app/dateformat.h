#pragma once
// Number, date and date-time texts as they appear on screen.
#include <cstdint>
#include <string>

// Decimal text of value. grouping puts "." between groups of three digits (724.982). A text
// shorter than width gets fill characters in front, in front of a "-" too; a negative fill (or one
// that is no Unicode scalar value) never pads, nor does a width above 32,767 (as t_Spaces makes no
// longer run).
std::string formatnumber(int64_t value, int64_t fill, int64_t width, bool grouping);

// "DD.MM.YYYY hh:mm:ss", every part zero-filled (the year to four digits).
std::string formatdatetime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second);

// The current local date and time as formatdatetime gives it.
std::string datetimestring();

// The normalised form of a date: day and month with two digits, the year as it is (05.12.1985,
// 01.01.1).
std::string normaliseddate(int64_t day, int64_t month, int64_t year);

// The first ten characters of datetimestring: today as "DD.MM.YYYY".
std::string todaytext();

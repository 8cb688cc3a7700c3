#pragma once
// The three life cycles as sine waves over the chart's day scale.
//
// The chart lays out 31 days across pixel columns 0 … 1279, so one day is 1279/31 columns.
// Heights are pixel rows: 0 at the crest, 388 on the zero line, 776 at the trough.
#include <cstdint>

constexpr int64_t physicalperiod = 23;
constexpr int64_t emotionalperiod = 28;
constexpr int64_t mentalperiod = 33;

// Pixel column of day i of the month on the chart's day scale.
int64_t daycolumn(int64_t day);

// Phase at the base day: the days lived then, modulo the period, as an angle. The remainder keeps
// the sign of the days, so a base day before the birth gives a negative phase.
double cyclebasephase(int64_t baseday, int64_t period);

// Phase at a pixel column after the base day.
double cyclephaseatcolumn(double basephase, int64_t period, int64_t column);

// Pixel row of the curve at a phase.
int64_t cycleheight(double phase);

// A height as a percentage: 99 at the crest, 50 on the zero line, 0 at the trough.
int64_t cyclepercentage(int64_t height);

// Percentage of one cycle on day forecastday of the month, dayslived days after the birth date,
// evaluated at that day's column as the chart draws it.
int64_t forecastpercentage(int64_t dayslived, int64_t forecastday, int64_t period);

#pragma once
// Conversion of graphic-block rows into 0xAARRGGBB pixels, one routine per bit depth. The
// routines read count pixels starting at source and write them to target.
#include <cstdint>

namespace display {

void convertdepth1(const uint8_t* source, uint32_t* target, int64_t count);
void convertdepth4(const uint8_t* source, uint32_t* target, int64_t count);
void convertdepth8(const uint8_t* source, uint32_t* target, int64_t count);
void convertdepth16(const uint8_t* source, uint32_t* target, int64_t count);
void convertdepth24(const uint8_t* source, uint32_t* target, int64_t count);
void convertdepth32(const uint8_t* source, uint32_t* target, int64_t count);

// Whether the processor's byte shuffle may convert whole groups of pixels (when it has one);
// switched off, the portable conversion does every pixel. On by default.
void usesimdconversion(bool allowed);

// Dispatches on the depth; false for a depth without a rule.
bool convertpixels(int64_t depth, const uint8_t* source, uint32_t* target, int64_t count);

} // namespace display

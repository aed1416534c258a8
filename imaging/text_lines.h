// Measuring and drawing lines of text in a font.
#pragma once
#include <cstdint>

#include "os/graphics/graphics.h"

// The width of the widest line of a chain of strings in the font; *height
// (when given) gets the font's line height times the number of lines.
int32_t sizeOfText(const char* lines, TextFont* font, int32_t* height = nullptr);
// The width of one text in the font; *ascent (when given) gets its height
// above the baseline.
int32_t sizeOfLine(const char* text, TextFont* font, int32_t* ascent = nullptr);
// Draws the chain of lines one below the other, the first with its top at
// (x, y), in the rast port's font and pens.
void drawText(const char* lines, RastPort* rp, int32_t x, int32_t y);

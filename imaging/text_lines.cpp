#include "imaging/text_lines.h"

#include "core/strings/string.h"

namespace {

int32_t lengthOf(const char* s) {
  int32_t n = 0;
  while (s[n]) ++n;
  return n;
}

RastPort measuringPort(TextFont* font) {
  RastPort rp;
  InitRastPort(&rp);
  SetFont(&rp, font ? font : DefaultFont());
  return rp;
}

}  // namespace

int32_t sizeOfText(const char* lines, TextFont* font, int32_t* height) {
  RastPort rp = measuringPort(font);
  int32_t widest = 0, count = 0;
  for (const char* line = lines; line; line = StrNext(line), ++count) {
    const int32_t width = TextLength(&rp, line, uint32_t(lengthOf(line)));
    if (width > widest) widest = width;
  }
  if (height) *height = int32_t(rp.TxHeight) * count;
  return widest;
}

int32_t sizeOfLine(const char* text, TextFont* font, int32_t* ascent) {
  RastPort rp = measuringPort(font);
  if (ascent) *ascent = rp.TxBaseline;
  return text ? TextLength(&rp, text, uint32_t(lengthOf(text))) : 0;
}

void drawText(const char* lines, RastPort* rp, int32_t x, int32_t y) {
  if (!rp) return;
  int32_t top = y;
  for (const char* line = lines; line; line = StrNext(line), top += rp->TxHeight) {
    Move(rp, int16_t(x), int16_t(top + rp->TxBaseline));
    Text(rp, line, uint32_t(lengthOf(line)));
  }
}

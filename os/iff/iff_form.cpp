#include "os/iff/iff_form.h"

bool IffForm::isForm(const uint8_t* bytes, size_t size, uint32_t type) {
  return bytes && size >= 12 && readBE32(bytes) == MAKE_ID('F', 'O', 'R', 'M') && readBE32(bytes + 8) == type;
}

bool IffForm::walk(const uint8_t* bytes, size_t size, uint32_t type, const ChunkVisitor& visit) {
  if (!isForm(bytes, size, type)) return false;
  const uint32_t formLength = readBE32(bytes + 4);
  if (formLength < 4 || formLength > size - 8) return false;
  const size_t end = 8 + size_t(formLength);
  for (size_t pos = 12; end - pos >= 8;) {
    const uint32_t id = readBE32(bytes + pos);
    const uint32_t length = readBE32(bytes + pos + 4);
    if (length > end - pos - 8) return false;
    if (!visit(id, bytes + pos + 8, length)) return false;
    const size_t advance = 8 + size_t(length) + (length & 1);
    if (advance > end - pos) break;
    pos += advance;
  }
  return true;
}

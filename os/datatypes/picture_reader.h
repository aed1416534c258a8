// Finds a picture file's kind from its first bytes and hands it to the
// decoder of that kind.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/datatypes/decoded_picture.h"

// Files larger than this are not read as pictures.
constexpr size_t MAX_PICTURE_FILE_SIZE = 64 * 1024 * 1024;

class PictureReader {
 public:
  enum class Result { Decoded, UnknownKind, Broken };
  // A picture larger than the fit may come out reduced.
  static Result decode(const uint8_t* bytes, size_t size, DecodedPicture* out, const PictureFit& fit = PictureFit{});
};

#include "os/datatypes/picture_reader.h"

#include "os/datatypes/gif_decoder.h"
#include "os/datatypes/ilbm_decoder.h"
#include "os/datatypes/jpeg_decoder.h"
#include "os/datatypes/png_codec.h"

PictureReader::Result PictureReader::decode(const uint8_t* bytes, size_t size, DecodedPicture* out,
                                            const PictureFit& fit) {
  using Decoder = bool (*)(const uint8_t*, size_t, DecodedPicture*, const PictureFit&);
  struct Kind {
    bool (*recognises)(const uint8_t*, size_t);
    Decoder decode;
  };
  static const Kind kinds[] = {
      {IlbmDecoder::recognises, IlbmDecoder::decode},
      {PngCodec::recognises, PngCodec::decode},
      {JpegDecoder::recognises, JpegDecoder::decode},
      {GifDecoder::recognises, GifDecoder::decode},
  };
  for (const Kind& kind : kinds)
    if (kind.recognises(bytes, size)) return kind.decode(bytes, size, out, fit) ? Result::Decoded : Result::Broken;
  return Result::UnknownKind;
}

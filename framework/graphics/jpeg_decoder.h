// JPEG decoding over libjpeg, as plain C functions. A libjpeg error never leaves these
// functions as a jump: it comes back as a failure code with the library's message, so the C++
// caller can raise an exception from a frame libjpeg knows nothing about.
#pragma once
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
  JPEG_DECODER_OK = 0,
  JPEG_DECODER_FAILED = 1,       // libjpeg reported an error; see message
  JPEG_DECODER_UNSUPPORTED = 2,  // CMYK/YCCK or another colour space we do not decode
};

typedef struct jpeg_decoder_info {
  int width;
  int height;
  char message[200];
  int warnings;      // corrupt-data warnings of a decode that succeeded
  char warning[200]; // the first of them
} jpeg_decoder_info;

// Reads the header of the compressed data: size and whether it can be decoded.
int jpeg_decoder_read_info(const unsigned char* data, size_t size, jpeg_decoder_info* info);

// Decodes the whole image as 24-bit blue/green/red rows into dst: row y (top first) starts at
// dst + y * stride (the stride may be negative). dst must hold width x height pixels as given
// by jpeg_decoder_read_info; a picture of any other size fails.
int jpeg_decoder_decode_bgr(const unsigned char* data, size_t size, unsigned char* dst,
                            long stride, int width, int height, jpeg_decoder_info* info);

#ifdef __cplusplus
}
#endif

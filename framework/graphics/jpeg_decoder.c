// libjpeg's error_exit must not return; it jumps back to the setjmp in the function that
// started the decode. Only C frames lie between the two, so nothing is skipped that needs
// cleaning up beyond the decompressor, which is destroyed right after the jump.
#include "framework/graphics/jpeg_decoder.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jpeglib.h>

typedef struct decoder_error {
  struct jpeg_error_mgr pub;
  jmp_buf jump;
  char* message;  // where error_exit leaves the library's text
  char* warning;  // where the first warning's text goes
} decoder_error;

static void copy_message(j_common_ptr cinfo, char* target) {
  char text[JMSG_LENGTH_MAX];
  size_t length;
  (*cinfo->err->format_message)(cinfo, text);
  length = strlen(text);
  if (length >= sizeof(((jpeg_decoder_info*)0)->message))
    length = sizeof(((jpeg_decoder_info*)0)->message) - 1;
  memcpy(target, text, length);
  target[length] = '\0';
}

static void decoder_error_exit(j_common_ptr cinfo) {
  decoder_error* err = (decoder_error*)cinfo->err;
  copy_message(cinfo, err->message);
  longjmp(err->jump, 1);
}

// Warnings (corrupt but decodable data) are not errors; the first one's text is kept and the
// caller learns how many there were.
static void decoder_output_message(j_common_ptr cinfo) {
  decoder_error* err = (decoder_error*)cinfo->err;
  if (err->warning[0] == '\0') copy_message(cinfo, err->warning);
}

static int is_supported(J_COLOR_SPACE space) {
  return space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB;
}

static void clear_info(jpeg_decoder_info* info) {
  info->width = 0;
  info->height = 0;
  info->warnings = 0;
  memset(info->message, 0, sizeof(info->message));
  memset(info->warning, 0, sizeof(info->warning));
}

// Routes the library's errors to err (and their text to info) before the decompressor is made.
static void init_error(struct jpeg_decompress_struct* cinfo, decoder_error* err, jpeg_decoder_info* info) {
  cinfo->err = jpeg_std_error(&err->pub);
  err->pub.error_exit = decoder_error_exit;
  err->pub.output_message = decoder_output_message;
  err->message = info->message;
  err->warning = info->warning;
}

// Creates the decompressor over the data and reads the header (errors jump to the caller's
// setjmp); 0, with the message set, when the colour space is not one we decode.
static int read_header(struct jpeg_decompress_struct* cinfo, const unsigned char* data, size_t size,
                       jpeg_decoder_info* info) {
  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, data, (unsigned long)size);
  jpeg_read_header(cinfo, TRUE);
  if (is_supported(cinfo->jpeg_color_space)) return 1;
  strcpy(info->message, "Unsupported JPEG colour space (CMYK)");
  return 0;
}

int jpeg_decoder_read_info(const unsigned char* data, size_t size, jpeg_decoder_info* info) {
  struct jpeg_decompress_struct cinfo;
  decoder_error err;
  volatile int result = JPEG_DECODER_OK;
  clear_info(info);
  if (size == 0) {
    strcpy(info->message, "Empty JPEG image");
    return JPEG_DECODER_FAILED;
  }
  init_error(&cinfo, &err, info);
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return JPEG_DECODER_FAILED;
  }
  if (!read_header(&cinfo, data, size, info)) result = JPEG_DECODER_UNSUPPORTED;
  info->width = (int)cinfo.image_width;
  info->height = (int)cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);
  return result;
}

int jpeg_decoder_decode_bgr(const unsigned char* data, size_t size, unsigned char* dst,
                            long stride, int width, int height, jpeg_decoder_info* info) {
  struct jpeg_decompress_struct cinfo;
  decoder_error err;
  clear_info(info);
  init_error(&cinfo, &err, info);
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return JPEG_DECODER_FAILED;
  }
  if (!read_header(&cinfo, data, size, info)) {
    jpeg_destroy_decompress(&cinfo);
    return JPEG_DECODER_UNSUPPORTED;
  }
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  info->width = (int)cinfo.output_width;
  info->height = (int)cinfo.output_height;
  if (info->width != width || info->height != height || cinfo.output_components != 3) {
    jpeg_destroy_decompress(&cinfo);
    strcpy(info->message, "JPEG image size changed while decoding");
    return JPEG_DECODER_FAILED;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = dst + (long)cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  info->warnings = (int)err.pub.num_warnings;
  jpeg_destroy_decompress(&cinfo);
  return JPEG_DECODER_OK;
}

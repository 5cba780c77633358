// PNG through libpng, in memory. Written as 8-bit paletted; read from any
// kind: paletted pictures keep their palette and indices, every kind also
// as red, green, blue and alpha.
#include "image/anypic.h"
#include "qira-kit/encode.h"
#include <csetjmp>
#include <cstring>
#include <png.h>

// Everything libpng's callbacks and the jump back may touch lives here, in
// the caller's frame, so nothing of it is lost by the longjmp.
struct png_job {
  std::span<const uint8_t> in;
  size_t pos = 0;
  kit_bytes *out = nullptr;
  std::string message = "damaged PNG file";
  std::vector<uint8_t> data;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0, height = 0;
  bool paletted = false;
  std::array<uint8_t, 768> palette{};
  std::array<uint8_t, 256> alpha{}; // of each palette entry
  int colour_type = 0, bit_depth = 0;
};

namespace {

void png_job_error(png_structp png, png_const_charp msg) {
  static_cast<png_job *>(png_get_error_ptr(png))->message = msg;
  png_longjmp(png, 1);
}
void png_job_warning(png_structp, png_const_charp) {}

void png_job_read(png_structp png, png_bytep out, size_t n) {
  auto *job = static_cast<png_job *>(png_get_io_ptr(png));
  if (job->in.size() - job->pos < n) png_error(png, "PNG file ends early");
  std::memcpy(out, job->in.data() + job->pos, n);
  job->pos += n;
}

void png_job_write(png_structp png, png_bytep data, size_t n) {
  auto *job = static_cast<png_job *>(png_get_io_ptr(png));
  job->out->insert(job->out->end(), data, data + n);
}
void png_job_flush(png_structp) {}

bool png_job_decode(png_job *job) {
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, job, png_job_error, png_job_warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, job, png_job_read);
  png_set_user_limits(png, 65535, 65535);
  png_read_info(png, info);
  job->width = png_get_image_width(png, info);
  job->height = png_get_image_height(png, info);
  if (static_cast<uint64_t>(job->width) * job->height > static_cast<uint64_t>(ANYPIC_MAX_PIXELS))
    png_error(png, "picture too large");
  job->colour_type = png_get_color_type(png, info);
  job->bit_depth = png_get_bit_depth(png, info);
  if (job->colour_type == PNG_COLOR_TYPE_PALETTE) {
    job->paletted = true;
    job->alpha.fill(255);
    png_bytep trns = nullptr;
    int trns_count = 0;
    if (png_get_tRNS(png, info, &trns, &trns_count, nullptr))
      for (int i = 0; i < trns_count && i < 256; i++) job->alpha[static_cast<size_t>(i)] = trns[i];
    png_colorp plte = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &plte, &count))
      for (int i = 0; i < count && i < 256; i++) {
        job->palette[static_cast<size_t>(3 * i)] = plte[i].red;
        job->palette[static_cast<size_t>(3 * i + 1)] = plte[i].green;
        job->palette[static_cast<size_t>(3 * i + 2)] = plte[i].blue;
      }
    png_set_packing(png); // 1, 2 and 4 bits become one byte per pixel
  } else {
    png_set_expand(png); // a tRNS colour becomes alpha too
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size_t rowbytes = png_get_rowbytes(png, info);
  job->data.resize(rowbytes * job->height);
  job->rows.resize(job->height);
  for (png_uint_32 y = 0; y < job->height; y++) job->rows[y] = job->data.data() + rowbytes * y;
  png_read_image(png, job->rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

const char *png_colour_type_name(int type) {
  switch (type) {
  case PNG_COLOR_TYPE_GRAY: return "greyscale";
  case PNG_COLOR_TYPE_GRAY_ALPHA: return "greyscale with alpha";
  case PNG_COLOR_TYPE_PALETTE: return "paletted";
  case PNG_COLOR_TYPE_RGB: return "truecolour";
  case PNG_COLOR_TYPE_RGB_ALPHA: return "truecolour with alpha";
  default: return "unknown colour type";
  }
}

} // namespace

bool decode_png_rgba(std::span<const uint8_t> file, kit_rgba &rgba, kit_png_info &info,
                     kit_picture *indexed, std::string &error) {
  png_job job;
  job.in = file;
  if (!png_job_decode(&job)) {
    error = job.message;
    return false;
  }
  const size_t n = static_cast<size_t>(job.width) * job.height;
  info = {png_colour_type_name(job.colour_type), job.bit_depth, job.paletted};
  rgba = {static_cast<int>(job.width), static_cast<int>(job.height), {}};
  if (!job.paletted) {
    rgba.px = std::move(job.data);
    return true;
  }
  rgba.px.resize(4 * n);
  for (size_t i = 0; i < n; i++) {
    const uint8_t k = job.data[i];
    std::memcpy(&rgba.px[4 * i], &job.palette[3 * static_cast<size_t>(k)], 3);
    rgba.px[4 * i + 3] = job.alpha[k];
  }
  if (indexed)
    *indexed = {static_cast<int>(job.width), static_cast<int>(job.height), std::move(job.data),
                job.palette};
  return true;
}

bool decode_png(std::span<const uint8_t> file, kit_picture &pic, std::string &error) {
  kit_rgba rgba;
  kit_png_info info;
  if (!decode_png_rgba(file, rgba, info, &pic, error)) return false;
  if (info.paletted) return true;
  std::vector<uint8_t> rgb(static_cast<size_t>(rgba.width) * rgba.height * 3);
  for (size_t i = 0; i < rgb.size() / 3; i++) std::memcpy(&rgb[3 * i], &rgba.px[4 * i], 3);
  return encode_index_colours(rgb, rgba.width, rgba.height, pic, error);
}

namespace {

// Rows of `rowbytes` bytes from data; a palette only for paletted pictures.
bool png_job_encode(png_job *job, int width, int height, int colour_type, const uint8_t *data,
                    size_t rowbytes, const kit_picture *paletted, int colours) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, job, png_job_error, png_job_warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, job, png_job_write, png_job_flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               colour_type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_color plte[256];
  if (paletted) {
    const auto &pal = paletted->palette;
    for (int i = 0; i < colours; i++)
      plte[i] = {pal[static_cast<size_t>(3 * i)], pal[static_cast<size_t>(3 * i + 1)],
                 pal[static_cast<size_t>(3 * i + 2)]};
    png_set_PLTE(png, info, plte, colours);
  }
  png_write_info(png, info);
  for (png_uint_32 y = 0; y < static_cast<png_uint_32>(height); y++)
    png_write_row(png, data + static_cast<size_t>(y) * rowbytes);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

} // namespace

bool encode_png(const kit_picture &pic, kit_bytes &out, std::string &error) {
  if (!encode_check(pic, error)) return false;
  out.clear();
  png_job job;
  job.out = &out;
  if (!png_job_encode(&job, pic.width, pic.height, PNG_COLOR_TYPE_PALETTE, pic.pixels.data(),
                      static_cast<size_t>(pic.width), &pic, encode_palette_count(pic))) {
    error = job.message;
    return false;
  }
  return true;
}

bool encode_png_rgba(int width, int height, std::span<const uint8_t> rgba, kit_bytes &out,
                     std::string &error) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    error = "picture has no size or the wrong number of pixels";
    return false;
  }
  out.clear();
  png_job job;
  job.out = &out;
  if (!png_job_encode(&job, width, height, PNG_COLOR_TYPE_RGB_ALPHA, rgba.data(),
                      static_cast<size_t>(width) * 4, nullptr, 0)) {
    error = job.message;
    return false;
  }
  return true;
}

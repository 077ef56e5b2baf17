#include "core/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include <jpeglib.h>

#include "core/Errors.h"

namespace lc {

namespace {

// libjpeg reports a fatal error by calling error_exit, which by default ends
// the program. Ours jumps back to the call that started the work instead.
// Everything the jump must not lose lives in this struct, outside the frame
// that calls setjmp, and nothing with a destructor sits between the two.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

constexpr int kMaxScans = 500; // a progressive picture needs a few dozen at most

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void silent(j_common_ptr) {} // warnings about recoverable damage are not printed

// A crafted progressive file can hold many thousands of tiny scans, each one
// re-running the whole picture: refuse it instead of spinning.
void onProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "too many scans");
        std::longjmp(err->jump, 1);
    }
}

struct DecodeState {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    const uint8_t* data = nullptr;
    size_t size = 0;
    uint64_t maxPixels = 0;
    RgbImage* out = nullptr;
    int minSide = 0; // > 0: decode at 1/2, 1/4 or 1/8 while both sides keep this many pixels
    std::vector<uint8_t> cmykRow;
    const char* refusal = nullptr; // set when we refuse the picture ourselves
};

// Print and scanner files are CMYK (or YCCK, which libjpeg-turbo turns into
// CMYK). Files with an Adobe marker store the inks inverted, as Photoshop writes them.
void cmykToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t pixels, bool inverted) {
    for (size_t i = 0; i < pixels; ++i, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<uint8_t>((ink * k + 127) / 255);
        }
    }
}

bool decode(DecodeState& s) {
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = onError;
    s.err.pub.output_message = silent;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.progress.progress_monitor = onProgress;
    s.cinfo.progress = &s.progress;
    jpeg_mem_src(&s.cinfo, s.data, static_cast<unsigned long>(s.size));
    jpeg_read_header(&s.cinfo, TRUE);

    const uint64_t w = s.cinfo.image_width, h = s.cinfo.image_height;
    if (w == 0 || h == 0 || w * h > s.maxPixels) {
        s.refusal = "the picture is too large";
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (s.minSide > 0) {
        const uint64_t side = std::min(w, h);
        unsigned denom = 8;
        while (denom > 1 && side / denom < static_cast<uint64_t>(s.minSide)) denom /= 2;
        s.cinfo.scale_num = 1;
        s.cinfo.scale_denom = denom;
    }
    jpeg_start_decompress(&s.cinfo);
    if (s.cinfo.output_components != (cmyk ? 4 : 3)) {
        s.refusal = "unsupported colour format";
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    s.out->Width = static_cast<int>(s.cinfo.output_width);
    s.out->Height = static_cast<int>(s.cinfo.output_height);
    const size_t stride = size_t{s.cinfo.output_width} * 3;
    try {
        s.out->Rgb.assign(stride * s.cinfo.output_height, 0);
        if (cmyk) s.cmykRow.assign(size_t{s.cinfo.output_width} * 4, 0);
    } catch (const std::bad_alloc&) {
        s.refusal = "the picture is too large";
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        uint8_t* rgb = s.out->Rgb.data() + stride * s.cinfo.output_scanline;
        JSAMPROW row = cmyk ? s.cmykRow.data() : rgb;
        if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1) break; // cannot happen with a memory source
        if (cmyk) cmykToRgb(s.cmykRow.data(), rgb, s.cinfo.output_width, s.cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&s.cinfo);
    jpeg_destroy_decompress(&s.cinfo);
    return true;
}

struct EncodeState {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    int width = 0, height = 0, quality = 0;
    const uint8_t* rgb = nullptr;
    unsigned char* buffer = nullptr; // malloc'ed by libjpeg's memory destination
    unsigned long size = 0;
};

bool encode(EncodeState& s) {
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = onError;
    s.err.pub.output_message = silent;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_compress(&s.cinfo);
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
    s.cinfo.image_width = static_cast<JDIMENSION>(s.width);
    s.cinfo.image_height = static_cast<JDIMENSION>(s.height);
    s.cinfo.input_components = 3;
    s.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.cinfo);
    jpeg_set_quality(&s.cinfo, s.quality, TRUE);
    jpeg_start_compress(&s.cinfo, TRUE);
    const size_t stride = size_t(s.width) * 3;
    while (s.cinfo.next_scanline < s.cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(s.rgb + stride * s.cinfo.next_scanline);
        jpeg_write_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_compress(&s.cinfo);
    jpeg_destroy_compress(&s.cinfo);
    return true;
}

} // namespace

bool LooksLikeJpeg(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

RgbImage DecodeJpeg(std::span<const uint8_t> bytes, uint64_t maxPixels) {
    return DecodeJpegAtLeast(bytes, 0, maxPixels);
}

RgbImage DecodeJpegAtLeast(std::span<const uint8_t> bytes, int minSide, uint64_t maxPixels) {
    if (!LooksLikeJpeg(bytes)) throw FormatError("not a JPEG picture");
    RgbImage image;
    DecodeState s;
    s.minSide = minSide;
    s.data = bytes.data();
    s.size = bytes.size();
    s.maxPixels = maxPixels;
    s.out = &image;
    if (!decode(s)) {
        throw FormatError(std::string("damaged JPEG picture: ") + (s.refusal ? s.refusal : s.err.message));
    }
    return image;
}

std::vector<uint8_t> EncodeJpeg(int width, int height, std::span<const uint8_t> rgb, int quality) {
    if (width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        throw RangeError("picture size out of range for JPEG");
    if (rgb.size() < size_t(width) * size_t(height) * 3) throw RangeError("picture data too short");
    EncodeState s;
    s.width = width;
    s.height = height;
    s.quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
    s.rgb = rgb.data();
    const bool ok = encode(s);
    std::unique_ptr<unsigned char, decltype(&std::free)> owned(s.buffer, &std::free);
    if (!ok) throw Error(std::string("Cannot write the JPEG picture: ") + s.err.message);
    return std::vector<uint8_t>(owned.get(), owned.get() + s.size);
}

} // namespace lc

#include "shell/PictureFiles.h"

#include <algorithm>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Errors.h"
#include "core/PatternLibrary.h"
#include "core/StitchBitmaps.h"
#include "core/Workspace.h"

namespace lc {

namespace {

constexpr const char* kDamaged = "file is damaged";
// Rows of a short picture land from this bitmap line down.
constexpr int kShortPictureFirstLine = 512;
// Pictures of at least this many rows start at bitmap line 0.
constexpr int kTallPictureRows = 1000;

void notifyPaletteChanged(bool repaint, IDrawingView* view, PatternRaster& raster) {
    raster.UpdatePalette(0);
    if (!view) return;
    view->BuildStitchBitmaps();
    if (repaint) {
        view->MakeBobbins();
        view->RepaintPicture();
        view->RepaintPaletteGrid();
    }
}

// The first bitmap line a picture of `height` rows fills, or -1 when it does
// not fit a raster of `rasterHeight` lines.
int firstLineOf(int height, int rasterHeight) {
    if (height <= 0) return -1;
    if (height >= kTallPictureRows) return height <= rasterHeight ? 0 : -1;
    if (height > kShortPictureFirstLine) return -1; // 513..999: no place defined for them
    return kShortPictureFirstLine + height <= rasterHeight ? kShortPictureFirstLine : -1;
}

} // namespace

PictureHeader PictureHeader::Parse(std::span<const uint8_t> bytes) {
    ByteReader r(bytes, kDamaged);
    PictureHeader h;
    h.Magic[0] = r.u8();
    h.Magic[1] = r.u8();
    h.Mark = r.u16();
    h.Width = r.u16();
    h.Height = r.u16();
    h.FileType = r.u16();
    auto res = r.bytes(h.Reserved.size());
    std::copy(res.begin(), res.end(), h.Reserved.begin());
    return h;
}

void PictureHeader::AppendTo(std::vector<uint8_t>& out) const {
    ByteWriter w;
    w.u8(Magic[0]);
    w.u8(Magic[1]);
    w.u16(Mark);
    w.u16(Width);
    w.u16(Height);
    w.u16(FileType);
    w.bytes(Reserved);
    out.insert(out.end(), w.buffer().begin(), w.buffer().end());
}

// ---- pictures -----------------------------------------------------------

// Background cells (16) are stored as 0 and every nibble is masked, so no
// cell value can spill into its neighbour. An odd width's last stitch has no
// place in the format and is not stored.
std::vector<uint8_t> BuildPictureFile(const PatternRaster& raster) {
    const IndexedBitmap& pic = raster.Picture;
    const int w = pic.width(), h = pic.height();
    if (w > 0xFFFF || h > 0xFFFF) throw RangeError("The pattern is too large for a picture file.");
    PictureHeader head;
    head.Width = static_cast<uint16_t>(w);
    head.Height = static_cast<uint16_t>(h);
    head.FileType = kPictureTypePicture;
    std::vector<uint8_t> out;
    const size_t bpr = static_cast<size_t>(w / 2);
    out.reserve(kPictureHeaderSize + bpr * static_cast<size_t>(h));
    head.AppendTo(out);
    for (int y = 0; y < h; ++y) {
        const uint8_t* line = pic.line(y);
        for (size_t k = 0; k < bpr; ++k)
            out.push_back(static_cast<uint8_t>((PackNibble(line[2 * k]) << 4) | PackNibble(line[2 * k + 1])));
    }
    return out;
}

void SavePicture(const std::string& fileName, const PatternRaster& raster) {
    WriteFileAtomic(fileName, BuildPictureFile(raster));
}

PictureResult OpenPictureBytes(std::span<const uint8_t> bytes, PatternRaster& raster, IDrawingView* view) {
    // The header is read whole before its mark is looked at: a file too short
    // to hold it is a failed read, whatever its first bytes are.
    if (bytes.size() < kPictureHeaderSize) throw FormatError(kDamaged);
    const PictureHeader head = PictureHeader::Parse(bytes);
    if (!head.HasMagic()) {
        if (view) view->RepaintPicture();
        return PictureResult::NotRecognised;
    }
    if (head.FileType == kPictureTypePalette) {
        const bool taken = LoadPaletteBytes(bytes, true, view, raster);
        if (view) view->RepaintPicture();
        return taken ? PictureResult::Palette : PictureResult::NotRecognised;
    }
    if (head.FileType != kPictureTypePicture) {
        if (view) view->RepaintPicture();
        return PictureResult::NotRecognised;
    }

    IndexedBitmap& pic = raster.Picture;
    const int W = head.Width, H = head.Height;
    if (W < kPictureMinWidth || W > kPictureMaxWidth)
        throw FormatError("The picture is " + std::to_string(W) + " stitches wide; only pictures " +
                          std::to_string(kPictureMinWidth) + " to " + std::to_string(kPictureMaxWidth) +
                          " stitches wide can be opened.");
    const int first = firstLineOf(H, pic.height());
    if (first < 0)
        throw FormatError("The picture has " + std::to_string(H) + " rows and does not fit the pattern of " +
                          std::to_string(pic.height()) + " rows.");
    const size_t bpr = static_cast<size_t>(W / 2);
    if (bytes.size() - kPictureHeaderSize < bpr * static_cast<size_t>(H)) throw FormatError(kDamaged);

    // Everything is checked: from here on nothing can fail half-way.
    const uint8_t* src = bytes.data() + kPictureHeaderSize;
    const int n = std::min(pic.width(), W);
    std::vector<uint8_t> row(static_cast<size_t>(W));
    for (int i = 0; i < H; ++i, src += bpr) {
        std::fill(row.begin(), row.end(), 0);
        for (size_t k = 0; k < bpr; ++k) {
            row[2 * k] = src[k] >> 4;
            row[2 * k + 1] = src[k] & 0x0F;
        }
        std::memcpy(pic.line(first + i), row.data(), static_cast<size_t>(n));
    }
    pic.touch();
    if (view) view->RepaintPicture();
    return PictureResult::Picture;
}

PictureResult OpenPicture(const std::string& fileName, PatternRaster& raster, IDrawingView* view) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName, uint64_t{16} << 20);
    return OpenPictureBytes(bytes, raster, view);
}

// ---- palettes -----------------------------------------------------------

std::vector<uint8_t> BuildPaletteFile(const ColorTable17& colors) {
    PictureHeader head;
    head.Mark = kPaletteMark;
    head.FileType = kPictureTypePalette;
    std::vector<uint8_t> out;
    out.reserve(kPaletteFileSize);
    head.AppendTo(out);
    ByteWriter w;
    for (Color c : colors) w.u32(c & 0xFFFFFF);
    out.insert(out.end(), w.buffer().begin(), w.buffer().end());
    return out;
}

void SavePalette(const std::string& fileName, const ColorTable17& colors) {
    WriteFileAtomic(fileName, BuildPaletteFile(colors));
}

bool LoadPaletteBytes(std::span<const uint8_t> bytes, bool repaint, IDrawingView* view, PatternRaster& raster) {
    if (bytes.size() < kPictureHeaderSize) throw FormatError(kDamaged);
    const PictureHeader head = PictureHeader::Parse(bytes);
    const bool isPalette = head.Mark == kPaletteMark && head.FileType == kPictureTypePalette;
    if (isPalette) {
        if (bytes.size() < kPaletteFileSize) throw FormatError(kDamaged);
        ByteReader r(bytes.subspan(kPictureHeaderSize), kDamaged);
        ColorTable17 colors{};
        // Only the 24 colour bits mean anything; a stray high byte is dropped.
        for (Color& c : colors) c = r.u32() & 0xFFFFFF;
        raster.Colors = colors;
    }
    notifyPaletteChanged(repaint, view, raster);
    return isPalette;
}

bool LoadPalette(const std::string& fileName, bool repaint, IDrawingView* view, PatternRaster& raster) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName, uint64_t{1} << 20);
    return LoadPaletteBytes(bytes, repaint, view, raster);
}

bool LoadStartPalette(const std::string& appDir, IDrawingView* view, PatternRaster& raster) {
    const auto path = FindFileNoCase(appDir.empty() ? std::string(".") : appDir, kStartPaletteName);
    if (!path) return false;
    return LoadPalette(path->string(), false, view, raster);
}

bool LoadStartPalette(Workspace& ws) {
    const bool loaded = LoadStartPalette(ws.Paths.AppDir, nullptr, ws.Raster);
    // Start-up tinted the stitch pictures from the raster's colours before the
    // start palette was read.
    BuildStitchBitmaps(ws);
    return loaded;
}

} // namespace lc

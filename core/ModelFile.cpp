#include "core/ModelFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Cp1251.h"
#include "core/Errors.h"

namespace lc {

namespace {

constexpr size_t kAuthorAt = 4;
constexpr size_t kModelNameAt = 37;
constexpr size_t kNameField = 33;
constexpr size_t kPointerAt = 72;
constexpr size_t kPreviewSizeAt = 76;
constexpr size_t kFlagsAt = 84;
constexpr size_t kItemNameField = 34;
constexpr const char* kDamaged = "file is damaged";
// The widest pattern a machine knits.
constexpr size_t kMaxStoredLineWidth = 250;

int32_t get32(const uint8_t* p) { return static_cast<int32_t>(GetU32LE(p)); }
void put32(uint8_t* p, int32_t v) { PutU32LE(p, static_cast<uint32_t>(v)); }

// Bitmap lines of an item laid out like the raster (line 0 first).
std::vector<uint8_t> copyLines(const IndexedBitmap& bmp) {
    const int w = bmp.width(), h = bmp.height();
    std::vector<uint8_t> data(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) std::memcpy(data.data() + static_cast<size_t>(y) * w, bmp.line(y), w);
    return data;
}

// Copies min(len, width) bytes of item data into a picture line. Cells above 16
// would index past the 17-colour palettes later: they become 0.
void putDrawingLine(IndexedBitmap& pic, int line, const uint8_t* src, size_t len) {
    const size_t n = std::min<size_t>(len, static_cast<size_t>(pic.width()));
    uint8_t* dst = pic.line(line);
    for (size_t k = 0; k < n; ++k) dst[k] = src[k] > 16 ? 0 : src[k];
}

void applyDrawing(const ModelItem& item, IndexedBitmap& pic) {
    const int H = pic.height();
    if (H <= 0 || pic.width() <= 0) return;
    const uint8_t* data = item.Data.data();
    const size_t size = item.Data.size();
    // The stored line width is trusted only when it can be one: a machine's
    // width (1..250) that cuts the item into whole lines the raster can hold.
    // Any other value (a damaged record, another program's bytes) falls back
    // to the size rule below.
    const size_t width = item.LineWidth;
    const bool widthFits =
        width >= 1 && width <= kMaxStoredLineWidth && size % width == 0 && size / width <= static_cast<size_t>(H);
    if (widthFits) {
        // Written by us: the line width is known, so every stored line comes back
        // to its own design row (the last stored line is design row 0).
        const size_t L = width;
        const size_t n = size / L;
        const size_t lines = std::min<size_t>(n, static_cast<size_t>(H));
        const size_t srcFirst = n - lines; // lines that do not fit are the top ones
        const int dstFirst = H - static_cast<int>(lines);
        for (size_t i = 0; i < lines; ++i)
            putDrawingLine(pic, dstFirst + static_cast<int>(i), data + (srcFirst + i) * L, L);
    } else if (size >= static_cast<size_t>(kFullHeightDrawingBytes)) {
        const size_t L = size / static_cast<size_t>(H);
        for (int i = 0; i < H && L > 0; ++i) putDrawingLine(pic, i, data + static_cast<size_t>(i) * L, L);
    } else {
        // An old 512-line item fills the lines from 512 down (pattern rows 0 up).
        const size_t L = size / 512;
        for (int i = 512; i < H && L > 0; ++i) {
            const size_t from = static_cast<size_t>(i - 512) * L;
            if (from + L > size) break;
            putDrawingLine(pic, i, data + from, L);
        }
    }
    pic.touch();
}

// The mask knows "inside" (16) and "outside"; whatever else a file holds is outside.
void applyMask(const ModelItem& item, IndexedBitmap& mask) {
    const int H = mask.height();
    if (H <= 0 || mask.width() <= 0) return;
    const size_t L = item.Data.size() / static_cast<size_t>(H);
    if (L == 0) return;
    const size_t n = std::min<size_t>(L, static_cast<size_t>(mask.width()));
    for (int i = 0; i < H; ++i) {
        const uint8_t* src = item.Data.data() + static_cast<size_t>(i) * L;
        uint8_t* dst = mask.line(i);
        for (size_t k = 0; k < n; ++k) dst[k] = src[k] == kMaskInside ? kMaskInside : kMaskOutside;
    }
    mask.touch();
}

// The header and the preview behind it; FormatError when the preview size is
// negative or the bytes end early.
std::span<const uint8_t> readHeaderAndPreview(ByteReader& r, ModelHeader& h) {
    auto raw = r.bytes(kModelHeaderSize);
    std::memcpy(h.Raw.data(), raw.data(), kModelHeaderSize);
    const int32_t previewSize = h.PreviewSize();
    if (previewSize < 0) throw FormatError(kDamaged);
    return r.bytes(static_cast<size_t>(previewSize));
}

bool isItemOfKind(const std::vector<ModelItem>& items, int index, int32_t kind) {
    return index >= 0 && index < static_cast<int>(items.size()) && items[static_cast<size_t>(index)].Kind == kind;
}

// f(item) for every item of `kind` named `name`, from the last to the first.
template <class F>
void eachNamedItemBackwards(const std::vector<ModelItem>& items, int32_t kind, const std::string& name, F f) {
    for (size_t i = items.size(); i-- > 0;)
        if (items[i].Kind == kind && items[i].Name == name) f(items[i]);
}

// A new item placed at `offset`, with no data yet.
ModelItem newItem(const std::string& name, int32_t kind, int32_t offset, uint16_t parentId) {
    ModelItem it;
    it.Name = name;
    it.Kind = kind;
    it.Offset = offset;
    it.ParentId = parentId;
    return it;
}

int appendItem(std::vector<ModelItem>& items, ModelItem it) {
    items.push_back(std::move(it));
    return static_cast<int>(items.size()) - 1;
}

} // namespace

// ---- header -------------------------------------------------------------

std::string ModelHeader::Author() const { return ReadShortString(Raw.data() + kAuthorAt, kNameField); }
void ModelHeader::SetAuthor(const std::string& s) { WriteShortString(Raw.data() + kAuthorAt, kNameField, s); }
std::string ModelHeader::ModelName() const { return ReadShortString(Raw.data() + kModelNameAt, kNameField); }
void ModelHeader::SetModelName(const std::string& s) { WriteShortString(Raw.data() + kModelNameAt, kNameField, s); }
int32_t ModelHeader::PreviewSize() const { return get32(Raw.data() + kPreviewSizeAt); }
void ModelHeader::SetPreviewSize(int32_t n) { put32(Raw.data() + kPreviewSizeAt, n); }
bool ModelHeader::ReadOnly() const { return (get32(Raw.data() + kFlagsAt) & 1) != 0; }
void ModelHeader::SetReadOnly(bool on) {
    int32_t f = get32(Raw.data() + kFlagsAt);
    put32(Raw.data() + kFlagsAt, on ? (f | 1) : (f & ~1));
}

// ---- whole model --------------------------------------------------------

void ModelFile::Clear() {
    Items.clear();
    FreePreview();
}

bool ModelFile::LoadFromFile(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return false;
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    LoadFromBytes(bytes);
    return true;
}

void ModelFile::LoadFromBytes(std::span<const uint8_t> bytes) {
    ByteReader r(bytes, kDamaged);
    ModelHeader header;
    auto pv = readHeaderAndPreview(r, header);
    std::vector<uint8_t> preview(pv.begin(), pv.end());

    std::vector<ModelItem> items;
    const int32_t count = r.i32();
    // A negative count means no items. Every record needs 56 bytes, so a
    // count the rest of the file cannot hold is damage, not a reason to allocate.
    if (count > 0) {
        if (static_cast<uint64_t>(count) * kModelItemRecordSize > r.remaining()) throw FormatError(kDamaged);
        items.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            ModelItem it;
            it.Name = r.shortString(kItemNameField);
            it.LineWidth = r.u16();
            it.Kind = r.i32();
            it.Offset = r.i32();
            const int32_t size = r.i32();
            r.skip(4); // in-memory pointer
            it.Id = r.u16();
            it.ParentId = r.u16();
            if (size < 0) throw FormatError(kDamaged);
            auto d = r.bytes(static_cast<size_t>(size));
            it.Data.assign(d.begin(), d.end());
            items.push_back(std::move(it));
        }
    }

    Header = header;
    preview_ = std::move(preview);
    Items = std::move(items);
}

bool ModelFile::PeekBytes(std::span<const uint8_t> bytes) {
    try {
        ByteReader r(bytes, kDamaged);
        ModelHeader header;
        auto pv = readHeaderAndPreview(r, header);
        PeekHeader = header;
        peekPreview_.assign(pv.begin(), pv.end());
        return true;
    } catch (const Error&) {
        return false;
    }
}

bool ModelFile::PeekFile(const std::string& fileName) {
    // Only the header and the preview are read, not the items.
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff len = in.tellg();
    if (len < static_cast<std::streamoff>(kModelHeaderSize)) return false;
    in.seekg(0);
    std::vector<uint8_t> head(kModelHeaderSize);
    if (!in.read(reinterpret_cast<char*>(head.data()), kModelHeaderSize)) return false;
    const int32_t previewSize = get32(head.data() + kPreviewSizeAt);
    if (previewSize < 0 || previewSize > len - static_cast<std::streamoff>(kModelHeaderSize)) return false;
    head.resize(kModelHeaderSize + static_cast<size_t>(previewSize));
    if (previewSize > 0 && !in.read(reinterpret_cast<char*>(head.data() + kModelHeaderSize), previewSize)) return false;
    return PeekBytes(head);
}

std::vector<uint8_t> ModelFile::SaveToBytes() const {
    ByteWriter w;
    ModelHeader h = Header;
    h.SetPreviewSize(static_cast<int32_t>(preview_.size()));
    put32(h.Raw.data() + kPointerAt, 0);
    w.bytes(h.Raw);
    w.bytes(preview_);
    w.i32(static_cast<int32_t>(Items.size()));
    for (const ModelItem& it : Items) {
        w.shortString(kItemNameField, it.Name);
        w.u16(it.LineWidth);
        w.i32(it.Kind);
        w.i32(it.Offset);
        w.i32(it.Size());
        w.u32(0);
        w.u16(it.Id);
        w.u16(it.ParentId);
        w.bytes(it.Data);
    }
    return std::move(w.buffer());
}

void ModelFile::SaveToFile(const std::string& fileName) const { WriteFileAtomic(fileName, SaveToBytes()); }

// ---- items --------------------------------------------------------------

int ModelFile::NextId() const {
    int id = 0;
    for (const auto& it : Items) id = std::max<int>(id, it.Id);
    return id + 1;
}

int ModelFile::NextOffset() const {
    if (Items.empty()) return 0;
    // Offsets read from a file are not trusted to stay in range: wrap like the 32-bit field.
    const int64_t next = int64_t{Items.back().Offset} + Items.back().Size();
    return static_cast<int32_t>(static_cast<uint32_t>(next));
}

int ModelFile::AddFolder(const std::string& name) {
    const int id = NextId();
    if (id > 0xFFFF) throw RangeError("The model holds too many sets.");
    ModelItem it = newItem(name, kItemFolder, NextOffset(), 0);
    it.Id = static_cast<uint16_t>(id);
    return appendItem(Items, std::move(it));
}

int ModelFile::AddNote(uint16_t parentId, const std::string& name, std::span<const uint8_t> rtf) {
    ModelItem it = newItem(name, kItemNote, NextOffset(), parentId);
    it.Data.assign(rtf.begin(), rtf.end());
    return appendItem(Items, std::move(it));
}

int ModelFile::AddDrawing(uint16_t parentId, const std::string& name, const PatternRaster& raster) {
    ModelItem it = newItem(name, kItemDrawing, NextOffset(), parentId);
    it.Data = copyLines(raster.Picture);
    // The line width tells a full drawing of a narrow raster (150 x 1024 is
    // under 200000 bytes) from an old 512-line item.
    it.LineWidth = static_cast<uint16_t>(std::clamp(raster.Picture.width(), 0, 0xFFFF));
    return appendItem(Items, std::move(it));
}

int ModelFile::AddMask(uint16_t parentId, const std::string& name, const PatternRaster& raster) {
    ModelItem it = newItem(name, kItemMaskOrState, NextOffset(), parentId);
    it.Data = copyLines(raster.Mask);
    return appendItem(Items, std::move(it));
}

int ModelFile::AddState(uint16_t parentId, const std::string& name, std::span<const uint8_t> appState) {
    ModelItem it = newItem(name, kItemMaskOrState, NextOffset(), parentId);
    it.Data.assign(kAppStateSize, 0);
    std::memcpy(it.Data.data(), appState.data(), std::min(appState.size(), kAppStateSize));
    return appendItem(Items, std::move(it));
}

int ModelFile::AddGarment(uint16_t parentId, const std::string& name, std::span<const uint8_t> garmentBytes) {
    ModelItem it = newItem(name, kItemGarment, NextOffset(), parentId);
    it.Data.assign(garmentBytes.begin(), garmentBytes.end());
    return appendItem(Items, std::move(it));
}

bool ModelFile::StoreGarment(int index, std::span<const uint8_t> garmentBytes) {
    if (!isItemOfKind(Items, index, kItemGarment)) return false;
    Items[index].Data.assign(garmentBytes.begin(), garmentBytes.end());
    return true;
}

bool ModelFile::StoreGarment(const std::string& name, std::span<const uint8_t> garmentBytes) {
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].Kind == kItemGarment && Items[i].Name == name)
            return StoreGarment(static_cast<int>(i), garmentBytes);
    return false;
}

std::span<const uint8_t> ModelFile::GarmentData(int index) const {
    if (!isItemOfKind(Items, index, kItemGarment)) return {};
    return Items[index].Data;
}

std::vector<std::span<const uint8_t>> ModelFile::GarmentData(const std::string& name) const {
    std::vector<std::span<const uint8_t>> out;
    eachNamedItemBackwards(Items, kItemGarment, name, [&](const ModelItem& it) { out.emplace_back(it.Data); });
    return out;
}

std::span<const uint8_t> ModelFile::NoteData(int index) const {
    if (!isItemOfKind(Items, index, kItemNote)) return {};
    return Items[index].Data;
}

void ModelFile::ShowDrawing(int index, PatternRaster& raster) const {
    if (!isItemOfKind(Items, index, kItemDrawing)) return;
    applyDrawing(Items[index], raster.Picture);
}

// From the last item to the first, so that the one nearest the front prevails.
void ModelFile::RestoreDrawing(const std::string& name, PatternRaster& raster) const {
    eachNamedItemBackwards(Items, kItemDrawing, name, [&](const ModelItem& it) { applyDrawing(it, raster.Picture); });
}

void ModelFile::RestoreMask(const std::string& name, PatternRaster& raster) const {
    eachNamedItemBackwards(Items, kItemMaskOrState, name, [&](const ModelItem& it) { applyMask(it, raster.Mask); });
}

void ModelFile::RestoreState(const std::string& name, std::span<uint8_t> appState) const {
    eachNamedItemBackwards(Items, kItemMaskOrState, name, [&](const ModelItem& it) {
        const size_t n = std::min({it.Data.size(), kAppStateSize, appState.size()});
        if (n > 0) std::memcpy(appState.data(), it.Data.data(), n);
    });
}

void ModelFile::DeleteItem(int index) {
    if (index < 0 || index >= static_cast<int>(Items.size())) return;
    Items.erase(Items.begin() + index);
}

int ModelFile::FindItem(const std::string& name) const {
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].Name == name) return static_cast<int>(i);
    return -1;
}

std::span<uint8_t> ModelFile::AllocPreview(size_t size) {
    if (size > 0x7FFFFFFF) throw RangeError("The preview picture is too large.");
    preview_.assign(size, 0);
    Header.SetPreviewSize(static_cast<int32_t>(size));
    return preview_;
}

void ModelFile::SetPreview(std::vector<uint8_t> jpeg) {
    if (jpeg.size() > 0x7FFFFFFF) throw RangeError("The preview picture is too large.");
    preview_ = std::move(jpeg);
    Header.SetPreviewSize(static_cast<int32_t>(preview_.size()));
}

void ModelFile::FreePreview() {
    preview_.clear();
    preview_.shrink_to_fit();
    Header.SetPreviewSize(0);
}

} // namespace lc

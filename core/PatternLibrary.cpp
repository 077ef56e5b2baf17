#include "core/PatternLibrary.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Cp1251.h"
#include "core/Errors.h"

namespace lc {

namespace {

// Header fields.
constexpr size_t kMagicAt = 0;
constexpr size_t kNameAt = 85;
constexpr size_t kNameField = 81;
constexpr size_t kVersionAt = 168;
constexpr size_t kCountAt = 172;
constexpr size_t kFlagsAt = 176;

// Index entry fields.
constexpr size_t kEntryName = 0;
constexpr size_t kEntryNameField = 34;
constexpr size_t kEntryBpr = 34;
constexpr size_t kEntryHeight = 36;
constexpr size_t kEntryWidth = 38;
constexpr size_t kEntryOffset = 40;
constexpr size_t kEntryCategory = 44;

constexpr char kMagic[4] = {'L', 'C', 'L', '5'};
constexpr uint64_t kMaxDataSize = std::numeric_limits<uint32_t>::max();

uint64_t entryBytes(const uint8_t* e) { return uint64_t{GetU16LE(e + kEntryBpr)} * GetU16LE(e + kEntryHeight); }

// Bytes of a packed width x height pattern; 0 when an index entry cannot hold
// the size or `pixels` is shorter.
uint64_t patternBytes(int width, int height, std::span<const uint8_t> pixels) {
    if (width <= 0 || width > 0xFFFF || height <= 0 || height > 0xFFFF) return 0;
    const uint64_t size = uint64_t(PatternBytesPerRow(width)) * uint64_t(height);
    return pixels.size() < size ? 0 : size;
}

// The size fields of an index entry, and its name unless `name` is empty.
void setEntry(uint8_t* e, int width, int height, const std::string& name) {
    PutU16LE(e + kEntryBpr, static_cast<uint16_t>(PatternBytesPerRow(width)));
    PutU16LE(e + kEntryHeight, static_cast<uint16_t>(height));
    PutU16LE(e + kEntryWidth, static_cast<uint16_t>(width));
    if (!name.empty()) WriteShortString(e + kEntryName, kEntryNameField, name);
}

} // namespace

void PackPatternRow(const uint8_t* cells, int width, uint8_t* out) {
    for (int x = 0; x + 1 < width; x += 2)
        out[x / 2] = static_cast<uint8_t>((PackNibble(cells[x]) << 4) | PackNibble(cells[x + 1]));
    if (width & 1) out[width / 2] = static_cast<uint8_t>(PackNibble(cells[width - 1]) << 4);
}

void PatternLibrary::Create() {
    FileName.clear();
    FilterOn = false;
    FilterMask = 0;
    header_.fill(0);
    index_.assign(kLibraryIndexSize, 0);
    data_.clear();
    data_.shrink_to_fit();
    hasData_ = false;
    setCount(-1);
}

// Header and index are cleared as well, so nothing of the library open
// before leaks into the new file.
void PatternLibrary::CreateNew(const std::string& folder, const std::string& name) {
    Create();
    FileName = folder + name + ".lcl";
    std::memcpy(header_.data() + kMagicAt, kMagic, 4);
    WriteShortString(header_.data() + kNameAt, kNameField, name);
    PutU32LE(header_.data() + kVersionAt, kLibraryVersion);
    setCount(-1);
}

void PatternLibrary::setCount(int c) {
    count_ = c;
    PutU32LE(header_.data() + kCountAt, static_cast<uint32_t>(c));
}

void PatternLibrary::LoadFromFile(const std::string& fileName) {
    // Read the whole file first: nothing of this library changes unless all of it is sound.
    std::vector<uint8_t> bytes = ReadWholeFile(fileName, kLibraryDataStart + kMaxDataSize);
    LoadFromBytes(bytes, fileName);
}

void PatternLibrary::LoadFromBytes(std::span<const uint8_t> bytes, const std::string& fileName) {
    if (bytes.size() < 4 || std::memcmp(bytes.data(), kMagic, 4) != 0) throw FormatError("not a pattern library");
    if (bytes.size() < kLibraryHeaderSize) throw FormatError("file is damaged");
    const int32_t count = static_cast<int32_t>(GetU32LE(bytes.data() + kCountAt));
    if (count < -1 || count > kLibraryMaxPatterns) throw FormatError("file is damaged");

    std::vector<uint8_t> index(kLibraryIndexSize, 0);
    std::vector<uint8_t> data;
    if (count >= 0) {
        if (bytes.size() < kLibraryDataStart) throw FormatError("file is damaged");
        const uint64_t dataSize = bytes.size() - kLibraryDataStart;
        if (dataSize > kMaxDataSize) throw FormatError("file is damaged");
        std::memcpy(index.data(), bytes.data() + kLibraryHeaderSize, kLibraryIndexSize);
        // The patterns lie in index order: each one inside the block and none
        // overlapping the one before, so deleting and replacing can move data
        // and offsets safely.
        uint64_t prevEnd = 0;
        for (int i = 0; i < count; ++i) {
            const uint8_t* e = index.data() + static_cast<size_t>(i) * kLibraryEntrySize;
            const uint64_t off = GetU32LE(e + kEntryOffset);
            const uint64_t end = off + entryBytes(e);
            if (off < prevEnd || end > dataSize) throw FormatError("file is damaged");
            prevEnd = end;
        }
        data.assign(bytes.begin() + kLibraryDataStart, bytes.end());
    }

    FileName = fileName;
    std::memcpy(header_.data(), bytes.data(), kLibraryHeaderSize);
    index_ = std::move(index);
    data_ = std::move(data);
    hasData_ = count >= 0;
    count_ = count;
}

std::vector<uint8_t> PatternLibrary::SaveToBytes() const {
    std::vector<uint8_t> out(header_.begin(), header_.end());
    if (count_ >= 0) {
        out.reserve(kLibraryDataStart + data_.size());
        out.insert(out.end(), index_.begin(), index_.end());
        out.insert(out.end(), data_.begin(), data_.end());
    }
    return out;
}

void PatternLibrary::SaveToFile() const {
    if (FileName.empty()) throw Error("The pattern library has no file name; it was not saved.");
    const std::vector<uint8_t> bytes = SaveToBytes();
    WriteFileAtomic(FileName, bytes);
}

uint32_t PatternLibrary::Version() const { return GetU32LE(header_.data() + kVersionAt); }
uint32_t PatternLibrary::Flags() const { return GetU32LE(header_.data() + kFlagsAt); }
std::string PatternLibrary::LibraryName() const { return ReadShortString(header_.data() + kNameAt, kNameField); }
bool PatternLibrary::IsProtected() const { return (Flags() & 1u) != 0 && !SuperUser; }

bool PatternLibrary::GetPattern(int index, PatternInfo& out) const {
    if (!inRange(index)) return false;
    const uint8_t* e = entry(index);
    const int bpr = GetU16LE(e + kEntryBpr);
    const int h = GetU16LE(e + kEntryHeight);
    const int stored = GetU16LE(e + kEntryWidth);
    const int w = (stored == 2 * bpr || stored == 2 * bpr - 1) ? stored : 2 * bpr;
    if (w <= 0 || h <= 0) return false; // nothing to show or paste
    out.Width = w;
    out.Height = h;
    out.BytesPerRow = bpr;
    out.Pixels = data_.data() + GetU32LE(e + kEntryOffset); // checked on load and kept by every change
    return true;
}

bool PatternLibrary::GetPattern(int index, int& width, int& height, const uint8_t*& pixels) const {
    PatternInfo info;
    if (!GetPattern(index, info)) return false;
    width = info.Width;
    height = info.Height;
    pixels = info.Pixels;
    return true;
}

bool PatternLibrary::AddPattern(int width, int height, const std::string& name, std::span<const uint8_t> pixels,
                                uint32_t categories) {
    if (IsProtected() || count_ >= kLibraryMaxPatterns) return false;
    const uint64_t size = patternBytes(width, height, pixels);
    if (size == 0) return false;
    if (count_ < 0) {
        index_.assign(kLibraryIndexSize, 0);
        data_.clear();
        hasData_ = true;
        setCount(0);
    }
    if (data_.size() + size > kMaxDataSize) return false;

    // A slot may still hold a deleted pattern's bytes: start from a clean one.
    uint8_t* e = entry(count_);
    std::memset(e, 0, kLibraryEntrySize);
    setEntry(e, width, height, name);
    PutU32LE(e + kEntryOffset, static_cast<uint32_t>(data_.size()));
    PutU32LE(e + kEntryCategory, categories);
    data_.insert(data_.end(), pixels.begin(), pixels.begin() + static_cast<ptrdiff_t>(size));
    setCount(count_ + 1);
    return true;
}

void PatternLibrary::DeletePattern(int index) {
    if (!inRange(index) || IsProtected()) return;
    uint8_t* e = entry(index);
    const uint32_t off = GetU32LE(e + kEntryOffset);
    const uint32_t size = static_cast<uint32_t>(entryBytes(e));
    data_.erase(data_.begin() + off, data_.begin() + off + size);
    for (int j = index + 1; j < count_; ++j) {
        uint8_t* d = entry(j - 1);
        std::memcpy(d, entry(j), kLibraryEntrySize);
        PutU32LE(d + kEntryOffset, GetU32LE(d + kEntryOffset) - size);
    }
    std::memset(entry(count_ - 1), 0, kLibraryEntrySize);
    setCount(count_ - 1);
}

void PatternLibrary::ReplacePattern(int width, int height, const std::string& name, std::span<const uint8_t> pixels,
                                    int index) {
    if (IsProtected() || !inRange(index)) return;
    const uint64_t newSize = patternBytes(width, height, pixels);
    if (newSize == 0) return;
    uint8_t* e = entry(index);
    const uint32_t off = GetU32LE(e + kEntryOffset);
    const uint64_t oldSize = entryBytes(e);
    if (data_.size() - oldSize + newSize > kMaxDataSize) return;

    if (newSize == oldSize) {
        std::memcpy(data_.data() + off, pixels.data(), newSize);
    } else {
        std::vector<uint8_t> data;
        data.reserve(data_.size() - oldSize + newSize);
        data.insert(data.end(), data_.begin(), data_.begin() + off);
        data.insert(data.end(), pixels.begin(), pixels.begin() + static_cast<ptrdiff_t>(newSize));
        data.insert(data.end(), data_.begin() + off + static_cast<ptrdiff_t>(oldSize), data_.end());
        data_ = std::move(data);
        const int64_t delta = static_cast<int64_t>(newSize) - static_cast<int64_t>(oldSize);
        for (int j = index + 1; j < count_; ++j) {
            uint8_t* d = entry(j);
            PutU32LE(d + kEntryOffset, static_cast<uint32_t>(GetU32LE(d + kEntryOffset) + delta));
        }
    }
    setEntry(e, width, height, name);
}

std::string PatternLibrary::GetPatternName(int index) const {
    if (!inRange(index)) return {};
    return ReadShortString(entry(index) + kEntryName, kEntryNameField);
}

void PatternLibrary::SetPatternName(int index, const std::string& name) {
    if (!inRange(index) || IsProtected()) return;
    WriteShortString(entry(index) + kEntryName, kEntryNameField, name);
}

uint32_t PatternLibrary::GetCategory(int index) const {
    return inRange(index) ? GetU32LE(entry(index) + kEntryCategory) : 0;
}

void PatternLibrary::SetCategory(int index, uint32_t mask) {
    if (!inRange(index) || IsProtected()) return;
    PutU32LE(entry(index) + kEntryCategory, mask);
}

int PatternLibrary::FilteredIndex(int n) const {
    if (!FilterOn) return n;
    if (n < 0) return -1;
    for (int i = 0; i < count_; ++i) {
        if ((GetU32LE(entry(i) + kEntryCategory) & FilterMask) != 0) {
            if (n == 0) return i;
            --n;
        }
    }
    return -1;
}

} // namespace lc

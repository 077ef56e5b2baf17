#pragma once
// A pattern library (".lcl"): up to 1000 small packed stitch patterns with
// names and technique categories. The galleries page keeps one open for the
// whole run (the workspace's Library); the paste-pattern tool reads from it.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lc {

inline constexpr int kLibraryMaxPatterns = 1000;
inline constexpr size_t kLibraryHeaderSize = 196;
inline constexpr size_t kLibraryEntrySize = 52;
inline constexpr size_t kLibraryIndexSize = kLibraryEntrySize * kLibraryMaxPatterns; // 52000
inline constexpr size_t kLibraryDataStart = kLibraryHeaderSize + kLibraryIndexSize;  // 52196
inline constexpr uint32_t kLibraryVersion = 2;

// Packing of pattern cells: two stitches a byte, stitch 2k in the high nibble.
// The background (16) has no nibble of its own and is stored as 0; any other
// value is masked so that it can never spill into the neighbouring stitch.
constexpr uint8_t PackNibble(uint8_t cell) { return cell == 16 ? 0 : (cell & 0x0F); }
constexpr int PatternBytesPerRow(int width) { return (width + 1) / 2; }
// Packs `width` cells into (width+1)/2 bytes; an odd width's last low nibble is 0.
void PackPatternRow(const uint8_t* cells, int width, uint8_t* out);
// Cell x of a packed row.
inline uint8_t PackedCell(const uint8_t* row, int x) {
    const uint8_t b = row[x >> 1];
    return (x & 1) ? (b & 0x0F) : (b >> 4);
}

struct PatternInfo {
    int Width = 0;
    int Height = 0;
    int BytesPerRow = 0;
    const uint8_t* Pixels = nullptr; // Height rows of BytesPerRow bytes, lowest row first
};

class PatternLibrary {
public:
    PatternLibrary() { Create(); }

    std::string FileName; // full path; empty until CreateNew or a load
    bool FilterOn = false;
    uint32_t FilterMask = 0;
    // The user is the super user (the SuperUserZRD setting is 1): a protected
    // library may be changed. Kept by Create and every load.
    bool SuperUser = false;

    // No file, no patterns, no data block, filter off.
    void Create();
    // A new, empty library in memory named `name`, to be saved as folder + name + ".lcl".
    void CreateNew(const std::string& folder, const std::string& name);
    // Reads a library. A file that is not a library (FormatError "not a pattern
    // library"), a damaged one (FormatError "file is damaged") or an unreadable
    // one (IoError) leaves this library exactly as it was.
    void LoadFromFile(const std::string& fileName);
    // The reader behind LoadFromFile: same checks, same all-or-nothing result.
    void LoadFromBytes(std::span<const uint8_t> bytes, const std::string& fileName);
    // Writes the file atomically. Throws Error when there is no file name and
    // IoError when the file cannot be written (the old file then stays).
    void SaveToFile() const;
    std::vector<uint8_t> SaveToBytes() const;

    int Count() const { return count_; }
    int64_t DataSize() const { return hasData_ ? static_cast<int64_t>(data_.size()) : -1; }
    uint32_t Version() const;
    uint32_t Flags() const;
    std::string LibraryName() const;
    // Flag bit 0 set while the user is not the super user.
    bool IsProtected() const;

    // False for an index outside 0..Count()-1 and for an empty pattern.
    bool GetPattern(int index, PatternInfo& out) const;
    bool GetPattern(int index, int& width, int& height, const uint8_t*& pixels) const;
    // `pixels`: already packed, PatternBytesPerRow(width) x height bytes.
    // False, with nothing changed, when protected, full, or the size is out of range.
    bool AddPattern(int width, int height, const std::string& name, std::span<const uint8_t> pixels,
                    uint32_t categories);
    void DeletePattern(int index);
    // An empty name keeps the old one; the categories stay.
    void ReplacePattern(int width, int height, const std::string& name, std::span<const uint8_t> pixels, int index);

    std::string GetPatternName(int index) const;
    void SetPatternName(int index, const std::string& name);
    uint32_t GetCategory(int index) const;
    void SetCategory(int index, uint32_t mask);
    // With the filter on: index of the (n+1)-th pattern sharing a bit with FilterMask, or -1.
    int FilteredIndex(int n) const;

    // Raw views for tests and tools.
    const std::array<uint8_t, kLibraryHeaderSize>& Header() const { return header_; }
    std::span<const uint8_t> Data() const { return data_; }

private:
    uint8_t* entry(int i) { return index_.data() + static_cast<size_t>(i) * kLibraryEntrySize; }
    const uint8_t* entry(int i) const { return index_.data() + static_cast<size_t>(i) * kLibraryEntrySize; }
    void setCount(int c);
    bool inRange(int index) const { return index >= 0 && index < count_; }

    std::array<uint8_t, kLibraryHeaderSize> header_{};
    std::vector<uint8_t> index_; // kLibraryIndexSize bytes, exactly as stored
    std::vector<uint8_t> data_;
    bool hasData_ = false;
    int count_ = -1; // mirror of the header's count
};

} // namespace lc

// Feeds arbitrary bytes to the pattern library reader, then works the loaded
// library the way the galleries page and the paste tool do.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/Errors.h"
#include "core/PatternLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> in(data, size);
    lc::PatternLibrary lib;
    try {
        lib.LoadFromBytes(in, "fuzz.lcl");
    } catch (const lc::Error&) {
        return 0;
    }
    // A library that loads saves back to exactly what was read (all of it, or
    // the header alone when the count says there is nothing more).
    const std::vector<std::uint8_t> saved = lib.SaveToBytes();
    const std::size_t expect = lib.Count() < 0 ? lc::kLibraryHeaderSize : size;
    if (saved.size() != expect || !std::equal(saved.begin(), saved.end(), data)) std::abort();

    unsigned sum = 0;
    for (int i = 0; i < lib.Count(); ++i) {
        lc::PatternInfo p;
        if (lib.GetPattern(i, p))
            for (int y = 0; y < p.Height; ++y)
                for (int x = 0; x < p.Width; ++x) sum += lc::PackedCell(p.Pixels + y * p.BytesPerRow, x);
        sum += static_cast<unsigned>(lib.GetPatternName(i).size()) + lib.GetCategory(i);
    }
    lib.FilterOn = true;
    lib.FilterMask = 0x5;
    for (int n = 0; n < 4; ++n) sum += static_cast<unsigned>(lib.FilteredIndex(n));

    // Changes must keep every pattern inside the data block.
    const std::uint8_t px[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    if (lib.Count() > 1) lib.DeletePattern(lib.Count() / 2);
    if (lib.Count() > 0) lib.ReplacePattern(3, 3, "r", px, 0);
    lib.AddPattern(4, 3, "a", px, 1);
    lc::PatternLibrary again;
    try {
        again.LoadFromBytes(lib.SaveToBytes(), "again.lcl");
    } catch (const lc::Error&) {
        std::abort();
    }
    return static_cast<int>(sum & 0);
}

#pragma once
// What sets the seventeen knitting techniques apart as plain values: their kind
// bit and name, colour limit, passes per row, sides and edge trim, carriage
// setting, and the layout and fixed lines of their instruction sheet. One record
// per technique, in the order the machine offers them; Technique initialises
// itself from its record and the technique classes keep only what they compute.
#include <cstdint>
#include <span>
#include <string_view>

namespace lc {

// One-bit technique kinds; 8 belongs to none. They are also the category bits of
// pattern libraries.
enum TechniqueKind : int32_t {
    tkFairisle = 1,
    tkThreadLace = 2,
    tkTuckStitch = 4,
    tkMultiColorTuckStitch = 16,
    tkDoubleTuckStitch = 32,
    tkSkipStitch = 64,
    tkMultiColorSkipStitch = 128,
    tkWeaving = 256,
    tkLace = 512,
    tkFineLace = 1024,
    tkJacquard2C = 2048,
    tkJacquard3C = 4096,
    tkJacquard4C = 8192,
    tkPinTuckStitch = 16384,
    tkTerryWeave = 32768,
    tkLaceEffect = 65536,
    tkIntarsia = 131072,
};

// The techniques by their place in the machine's list (and in its technique box).
enum class TechniqueId : uint8_t {
    FairIsle,
    ThreadLace,
    TuckStitch,
    MultiColorTuckStitch,
    DoubleTuckStitch,
    SkipStitch,
    MultiColorSkipStitch,
    Weaving,
    Lace,
    FineLace,
    Jacquard2C,
    Jacquard3C,
    Jacquard4C,
    PinTuckStitch,
    TerryWeave,
    LaceEffect,
    Intarsia,
};
inline constexpr int kTechniqueCount = 17;

// A column of the instruction sheet: its cell letters at rest and the
// symbol-font glyph of its head.
struct SheetColumn {
    std::string_view cells{};
    char symbol = 0;
};

// A fixed line of the sheet's set-up part, labelled `number` in red.
struct SheetSetupLine {
    enum Kind : uint8_t {
        Cells,    // `text` is one cell letter per column cell, left to right
        Glyph,    // `text` is centred symbol-font text at size 24
        BigGlyph, // centred at size 48, the last column's cells beside it
    };
    int number = 0;
    Kind kind = Cells;
    std::string_view text{};
};

struct TechniqueRecord {
    int32_t kind = 0;
    std::string_view nameKey{};      // the translator's key of the name
    std::string_view fallbackName{}; // the name when the translator gives none
    int maxColors = 1;               // colours a design row may hold
    int passesPerRow = 1;
    int startSide = 0;  // carriage side at row counter 0
    int otherSide = 0;  // 1: the "Wrong side" button starts pressed
    int threadType = 0; // 1: a yarn is woven in (kept; nothing reads it)
    int edgeMode = 0;   // 0 none, 1 one needle, 2 two needles at each end
    int edgeValue = 0;  // 1 set the edge needles, 0 clear them

    // Carriage setting (symbol-font text) of every pass, or of the even passes
    // when oddSetting is given; empty where the technique computes it.
    std::string_view setting{};
    std::string_view oddSetting{};

    // --- instruction sheet, columns left to right
    std::span<const SheetColumn> columns{};
    // The set-up part drawn at row counter 0: the heads' cell letters, then the
    // lines. The last line's number is the set-up scroll range.
    std::string_view setupStates{};
    std::span<const SheetSetupLine> setupLines{};
    // The line of a row while knitting: the heads' cell letters (unchanged when
    // empty), a glyph line above, the row's cell letters (followed by the
    // direction character '>' or '<' of the row when rowDirection), and on odd
    // rows a glyph line below. Techniques that compute the line leave rowText empty.
    std::string_view rowStates{};
    std::string_view rowGlyph{};
    std::string_view rowText{};
    bool rowDirection = false;
    std::string_view oddRowGlyph{};
    // A "d$" mark line every so many passes.
    int markEvery = 10;
};

// The record of technique `id`.
const TechniqueRecord& TechniqueRecordOf(TechniqueId id);

} // namespace lc

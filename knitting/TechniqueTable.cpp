#include "knitting/TechniqueTable.h"

#include <array>

#include "core/Translator.h"

namespace lc {

namespace {

// "?\?" is written escaped: "??" followed by = < > reads as a trigraph to some compilers.

// The plain layouts: the carriage setting, the yarns and the direction.
constexpr SheetColumn kFairIsleColumns[] = {{" m F m ", 'n'}, {"?\?", 'b'}, {">", '='}};
constexpr SheetColumn kThreadLaceColumns[] = {{" l L m ", 'n'}, {"?\?", 'b'}, {">", '='}};
constexpr SheetColumn kTuckColumns[] = {{" m T m ", 'n'}, {"? ", 'b'}, {">", '='}};
constexpr SheetColumn kSkipColumns[] = {{" m Y m ", 'n'}, {"? ", 'b'}, {">", '='}};
constexpr SheetColumn kWeavingColumns[] = {{" moWom ", 'n'}, {"?\?", 'e'}, {">", '='}};
constexpr SheetColumn kLaceColumns[] = {{" L ", '}'}, {"? ", 'Q'}, {">", '='}};
constexpr SheetColumn kIntarsiaColumns[] = {{"  ", 'e'}, {">", '='}};

// The tuck-and-russel layouts: nine columns, of which x, y and z vary.
constexpr std::array<SheetColumn, 9> nineColumns(std::string_view x, std::string_view y, std::string_view z) {
    return {
        {{"m0m", 'B'}, {".", 'q'}, {"\"", 'p'}, {x, '%'}, {y, '&'}, {"!*1!", 'A'}, {"f", '/'}, {"H5", 'r'}, {z, 's'}}};
}
constexpr auto kTuckRusselColumns = nineColumns("0", "0", " ");
constexpr auto kTerryWeaveColumns = nineColumns("5", "3", ">");
constexpr auto kLaceEffectColumns = nineColumns("6", "4", ">");

using L = SheetSetupLine;

constexpr SheetSetupLine kPinTuckSetup[] = {
    {1, L::BigGlyph, "j"},
    {2, L::Glyph, "d$"},
    {3, L::Cells, " C   13)      >"},
    {4, L::Cells, " C            <"},
    {4, L::Cells, " C            >"},
    {5, L::Cells, " 0   34!      <"},
    {6, L::Cells, "mSm.\"34!*1!fH5>"},
};

constexpr SheetSetupLine kDoubleTuckSetup[] = {
    {1, L::BigGlyph, "i"},
    {2, L::Glyph, "d$"},
    {3, L::Cells, " C   13)      >"},
    {4, L::Cells, " C            <"},
    {5, L::Cells, " C            >"},
    {6, L::Cells, " 0   3 !      <"},
    {7, L::Cells, "mTm  33!      >"},
};

constexpr SheetSetupLine kJacquardSetup[] = {
    {1, L::BigGlyph, "i"},
    {2, L::Glyph, "d$"},
    {3, L::Cells, " C   11)      <"},
    {4, L::Cells, " C            >"},
    {5, L::Cells, " C            <"},
    {6, L::Cells, " 0   44!      >"},
    {7, L::Cells, "mYm #44!      <"},
};

constexpr SheetSetupLine kTerryWeaveSetup[] = {
    {1, L::BigGlyph, "j"},
    {2, L::Glyph, "dc"},
    {3, L::Glyph, "M=I $"},
    {4, L::Cells, " S            <"},
    {5, L::Cells, "              >"},
    {6, L::Cells, "              <"},
    {7, L::Glyph, "J>N"},
    {8, L::Cells, "   P       a  >"},
    {9, L::Glyph, "J>N"},
    {10, L::Cells, "              <"},
    {11, L::BigGlyph, "t"},
    {12, L::Cells, "mSm.\"53!*1!fH5>"},
};

constexpr SheetSetupLine kLaceEffectSetup[] = {
    {1, L::BigGlyph, "v"},
    {2, L::Glyph, "dc"},
    {3, L::Glyph, "M=g $"},
    {4, L::Cells, " S            <"},
    {5, L::Cells, "              >"},
    {6, L::Cells, "              <"},
    {7, L::Glyph, "h>N"},
    {8, L::Cells, "              >"},
    {9, L::Glyph, "h>N"},
    {10, L::Cells, "              <"},
    {11, L::BigGlyph, "j"},
    {12, L::Cells, "mSm.\"53!*1!fH5>"},
};

constexpr std::string_view kTuckRusselStates = "m0m.\"00!*1!fH5 ";
constexpr std::string_view kTerryStates = "m0m.\"53!*1!fH5>";
constexpr std::string_view kTerryRowStates = "mSm.\"53!*1!fH5>";
constexpr std::string_view kJacquardRowStates = "mYm.#44!*1!fH5 ";

constexpr TechniqueRecord jacquard(int32_t kind, std::string_view key, std::string_view name, int n, int markEvery) {
    return {.kind = kind,
            .nameKey = key,
            .fallbackName = name,
            .maxColors = n,
            .passesPerRow = n,
            .startSide = 1,
            .setting = "` Y",
            .columns = kTuckRusselColumns,
            .setupStates = kTuckRusselStates,
            .setupLines = kJacquardSetup,
            .rowStates = kJacquardRowStates,
            .markEvery = markEvery};
}

// Tuck and skip stitch and their multicolour forms: two colours, the edge
// needles set, the stitch letter in the setting and the row line.
constexpr TechniqueRecord tuckOrSkip(int32_t kind, std::string_view key, std::string_view name,
                                     std::span<const SheetColumn> columns, std::string_view setting,
                                     std::string_view rowText) {
    return {.kind = kind,
            .nameKey = key,
            .fallbackName = name,
            .maxColors = 2,
            .edgeMode = 1,
            .edgeValue = 1,
            .setting = setting,
            .columns = columns,
            .rowText = rowText,
            .rowDirection = true};
}

constexpr std::array<TechniqueRecord, kTechniqueCount> kTechniques = {{
    {.kind = tkFairisle,
     .nameKey = "s02002",
     .fallbackName = "Fair Isle",
     .maxColors = 2,
     .edgeMode = 1,
     .edgeValue = 1,
     .columns = kFairIsleColumns},
    {.kind = tkThreadLace,
     .nameKey = "s02003",
     .fallbackName = "Thread Lace",
     .maxColors = 2,
     .edgeMode = 2,
     .setting = "Z L",
     .columns = kThreadLaceColumns,
     .rowText = " l L m ?\?",
     .rowDirection = true},
    tuckOrSkip(tkTuckStitch, "s02004", "Tuck Stitch", kTuckColumns, "Z T", " m T m ? "),
    tuckOrSkip(tkMultiColorTuckStitch, "s02006", "Multicolor Tuck Stitch", kTuckColumns, "Z T", " m T m ? "),
    {.kind = tkDoubleTuckStitch,
     .nameKey = "s02007",
     .fallbackName = "Double Tuck Stitch",
     .maxColors = 2,
     .edgeMode = 1,
     .edgeValue = 1,
     .setting = "` T",
     .columns = kTuckRusselColumns,
     .setupStates = kTuckRusselStates,
     .setupLines = kDoubleTuckSetup,
     .rowStates = "mTm.\"33!*1!fH5 ",
     .rowText = " Tm  3 !      ",
     .rowDirection = true},
    tuckOrSkip(tkSkipStitch, "s02008", "Skip Stitch", kSkipColumns, "Z Y", " m Y m ? "),
    tuckOrSkip(tkMultiColorSkipStitch, "s02009", "Multicolor Skip Stitch", kSkipColumns, "Z Y", " m Y m ? "),
    {.kind = tkWeaving,
     .nameKey = "s02010",
     .fallbackName = "Weaving",
     .maxColors = 2,
     .otherSide = 1,
     .threadType = 1,
     .edgeMode = 1,
     .edgeValue = 1,
     .setting = "Z W",
     .columns = kWeavingColumns,
     .rowText = " moWom ?\?="},
    {.kind = tkLace,
     .nameKey = "s02011",
     .fallbackName = "Lace",
     .maxColors = 2,
     .edgeMode = 2,
     .setting = "} L",
     .columns = kLaceColumns,
     .rowText = " L ? ="},
    {.kind = tkFineLace,
     .nameKey = "s02012",
     .fallbackName = "Fine Lace",
     .maxColors = 3, // the ground and the two lace colours
     .edgeMode = 2,
     .columns = kLaceColumns},
    jacquard(tkJacquard2C, "s02013", "2-Color Jacquard", 2, 20), // a mark every 10 design rows
    jacquard(tkJacquard3C, "s02014", "3-Color Jacquard", 3, 60), // every 20 design rows
    jacquard(tkJacquard4C, "s02015", "4-Color Jacquard", 4, 80), // every 20 design rows
    {.kind = tkPinTuckStitch,
     .nameKey = "s02016",
     .fallbackName = "Pin Tuck",
     .maxColors = 2,
     .otherSide = 1,
     .edgeMode = 1,
     .setting = "` Y",
     .columns = kTuckRusselColumns,
     .setupStates = kTuckRusselStates,
     .setupLines = kPinTuckSetup,
     .rowStates = "mSm.\"34!*1!fH5 ",
     .rowText = " S   34!      <"},
    {.kind = tkTerryWeave,
     .nameKey = "s02017",
     .fallbackName = "Terry Weave",
     .maxColors = 2,
     .setting = "`S>J",
     .oddSetting = "`S<J=I",
     .columns = kTerryWeaveColumns,
     .setupStates = kTerryStates,
     .setupLines = kTerryWeaveSetup,
     .rowStates = kTerryRowStates,
     .rowGlyph = "J>N",
     .rowText = "              ",
     .rowDirection = true,
     .oddRowGlyph = "M=I"},
    {.kind = tkLaceEffect,
     .nameKey = "s02018",
     .fallbackName = "Lace Effect",
     .maxColors = 2,
     .setting = "`S>h",
     .oddSetting = "`S<h=g",
     .columns = kLaceEffectColumns,
     .setupStates = kTerryStates,
     .setupLines = kLaceEffectSetup,
     .rowStates = kTerryRowStates,
     .rowGlyph = "h>N",
     .rowText = "              ",
     .rowDirection = true,
     .oddRowGlyph = "M=g"},
    {.kind = tkIntarsia,
     .nameKey = "s02019",
     .fallbackName = "Intarsia",
     .maxColors = 16,
     .setting = "  =",
     .columns = kIntarsiaColumns,
     .rowText = "  ="},
}};

// The names come from the translator by these keys, and the technique box and
// pattern libraries rely on the kinds being distinct single bits.
constexpr bool keysAndKindsHold() {
    for (size_t i = 0; i < kTechniques.size(); ++i) {
        if (kTechniques[i].nameKey != kTechniqueNameKeys[i]) return false;
        const uint32_t k = static_cast<uint32_t>(kTechniques[i].kind);
        if (k == 0 || (k & (k - 1)) != 0) return false;
        if (i > 0 && k <= static_cast<uint32_t>(kTechniques[i - 1].kind)) return false;
    }
    return true;
}
static_assert(keysAndKindsHold());

} // namespace

const TechniqueRecord& TechniqueRecordOf(TechniqueId id) { return kTechniques[static_cast<size_t>(id)]; }

} // namespace lc

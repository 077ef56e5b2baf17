#pragma once
// A knitting technique turns design rows into carriage passes: for every pass it
// gives the needle selection, the yarn colours and the carriage setting, and it
// draws its own instruction sheet. Technique is the base of the seventeen
// techniques: their constants are records in TechniqueTable.h, which Technique
// copies; the classes derived from it (SinglePassTechnique.h and its
// descendants, Jacquard.h, FineLace.h) compute the rest. MakeTechnique
// (TechniqueFactory.h) makes each; the machine panel (KnitMachine.h) owns them.
//
// What a technique reads comes with it at construction (TechniqueContext): the
// row table of the knitting state (RowTable.h) for ColorCount and ColorMask, its
// colour separation (ColourSeparation.h) for the colour planes, and the
// pattern's width. The run must have built both for the current pattern
// before it asks for a pass. The techniques set the state's ColorOrder.
//
// How the run uses it:
//   - pass p knits design row PassToRow(p); the first pass of row r is RowToPass(r);
//   - the number of passes is PassCount() when above 0, else rows x PassesPerRow;
//   - needle bits of pass p: GetPassNeedles(p, bits) into a cleared 40-byte buffer
//     (for fine lace these are the bytes of GetPassEntry(p), nothing past its
//     table); a technique writes at most PlaneByteCount() bytes and never a
//     needle at or past the pattern width;
//   - WorkDone(counter, RowCount) says whether the run has knitted everything;
//   - CarriageSide at start = (row counter + StartSide) mod 2;
//   - EdgeMode / EdgeValue drive the edge trim; OtherSide sets the "Wrong side"
//     button's starting state;
//   - for the displays: UpdateColors(p) then RowYarns / PassYarns / MarkedYarns and
//     ColorOrder; GetCarriageSetting(p). The two events fire from these calls.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/PatternRaster.h"
#include "knitting/CarriageControl.h"
#include "knitting/KnitState.h"
#include "knitting/TechniqueTable.h"

namespace lc {

// CheckRow answers.
inline constexpr int kRowAccepted = 0;
inline constexpr int kRowTooManyColors = 256; // the run must not knit this row
inline constexpr int kRowRuleBroken = 1024;   // a rule of the technique (tuck: 3 adjacent)
inline constexpr int kRowPairBroken = 2048;   // a rule on a pair of rows

// Colours of the sheet's lines.
inline constexpr Color kRowLineColor = 0x008000;   // green
inline constexpr Color kSetupLineColor = 0x0000FF; // red

// One pass of a technique that builds a pass table (fine lace).
struct PassEntry {
    std::array<uint8_t, 41> Bits{}; // needle n in byte n div 8 under 128 shr (n mod 8)
    uint8_t Kind = 0;               // 0 transfer, direction 1; 1 transfer, direction 0; 2 closing pass
    int32_t Row = 0;                // design row
};

// Where technique names come from: the translator's text for a key ("s02002" ...),
// or the fallback (English) when the source is unset or answers empty.
using TechniqueNameSource = std::function<std::string(std::string_view key)>;
std::string TechniqueName(const TechniqueNameSource& source, std::string_view key, std::string_view fallback);

// What every technique reads, given at construction and kept by reference: the
// pattern being knitted (its width and height), the knitting state it reads the
// rows from and writes the colour order to, and the source of its name.
struct TechniqueContext {
    const PatternRaster& Raster;
    KnitState& Knit;
    TechniqueNameSource Names; // unset: the built-in English names
};

class Technique {
public:
    using Event = std::function<void(Technique& sender)>;

    // A bare technique: no name, no columns, one colour, one pass a row.
    explicit Technique(const TechniqueContext& context);
    virtual ~Technique();
    Technique(const Technique&) = delete;
    Technique& operator=(const Technique&) = delete;

    // Judges one design row before knitting; `scanline` is the row's palette
    // indices (its picture line). kRowAccepted unless a technique has a rule.
    virtual int CheckRow(std::span<const uint8_t> scanline, int row);
    // The needle bits of `pass` into `bits` (40 bytes, cleared by the caller).
    virtual void GetPassNeedles(int pass, uint8_t* bits);
    // (Fine lace) one pass of `row` into `bits`; returns the design row of the
    // next pass: `row` while the row needs more passes, row + 1 when it closes.
    virtual int MakePass(uint8_t* bits, int row, int direction, int startDirection);
    // (Fine lace) loads a design row's working planes.
    virtual void LoadRow(int row);
    // Draws the set-up part of the sheet: the record's set-up lines, if any.
    // Fine lace builds its pass table here instead.
    virtual void Prepare();
    // The carriage-setting glyph text of `pass`: the record's setting.
    virtual std::string GetCarriageSetting(int pass);
    // The instruction line(s) for the row counter's position `pass`.
    virtual void DrawRowInstruction(int pass);
    // Sets RowYarns, PassYarns, MarkedYarns (and ColorOrder) for `pass` and
    // fires OnColorChanged when RowYarns changed.
    virtual void UpdateColors(int pass);
    // Design row of `pass` (the pass itself).
    virtual int PassToRow(int pass) const;
    // First pass of design row `row` (row x PassesPerRow).
    virtual int RowToPass(int row) const;
    // Number of passes; -1 means one pass table entry per row x PassesPerRow.
    virtual int PassCount() const;

    // The constants this technique was made from.
    const TechniqueRecord& Record() const { return *record_; }

    // --- identity and rules, copied from the record
    int32_t Kind = 0;
    std::string Name;    // translated, for display and the technique box only
    std::string NameKey; // translator key ("s02002" ...)
    std::string FallbackName;
    int32_t MaxColors = 1;
    int32_t ThreadType = 0;
    int32_t StartSide = 0;
    uint8_t OtherSide = 0;
    int32_t DrawThreadCount = 1;
    uint8_t PassesPerRow = 1;

    // --- events
    Event OnMachineSettingChanged;
    Event OnColorChanged;

    // --- instruction sheet
    std::vector<std::unique_ptr<CarriageControl>> Controls; // left to right
    ISheetCanvas* Canvas = nullptr;
    int LineTop = 0;
    int SetupLines = 0;     // the scroll bar's maximum
    int FirstShownLine = 0; // the scroll bar's position
    int LineCounter = 0;
    int ControlsEnd = 0; // x just right of the last column
    RowCounterControl RowCounter{0};

    // --- yarns of the current pass (colour c under 0x8000 >> c)
    uint16_t RowYarns = 0;
    uint16_t PassYarns = 0;
    uint16_t MarkedYarns = 0;
    std::string LastSetting;
    uint32_t LastYarns = 0;

    // --- pass table (fine lace)
    std::vector<int32_t> PassRows;      // first pass of every design row
    std::vector<PassEntry> PassEntries; // one per pass

    uint8_t EdgeMode = 0;  // 0 none, 1 one needle, 2 two needles at each end
    uint8_t EdgeValue = 0; // 1 set the edge needles, 0 clear them

    // --- sheet framework
    // Stores the canvas, hands it to the columns and lays them out from
    // x = row-number column width + 2, each next at previous x + width + 1.
    void SetCanvas(ISheetCanvas* canvas);
    // The columns' heads, then the set-up lines (Prepare).
    void DrawInstructionSheet();
    // The columns' heads, then the lines of the row counter's position `pass`.
    void DrawInstructionRow(int pass);
    // LineTop := below the last column's cell line; returns the last column.
    CarriageControl* ResetLines();
    // A free-text line (centred glyph text at `fontSize`) labelled `number`; with
    // `lastControl` the line also carries the last column's cells.
    void DrawNumberLine(int number, Color color, std::string_view text, int fontSize, bool lastControl);
    // A line of cell letters across the columns, labelled `number`.
    void DrawSettingsLine(int number, Color color, std::string_view text);
    // Splits `text` over the columns as their cell letters and redraws their cells.
    void SetControlStates(std::string_view text);
    // Entry i of the pass list, nullptr when there is none.
    const PassEntry* GetPassEntry(int i) const;

    // --- helpers for the run and the Link page
    // Passes to knit: PassCount() when above 0, else rowCount x PassesPerRow.
    int TotalPasses(int rowCount) const;
    // True when no pass from `counter` on still maps to a row below rowCount, i.e.
    // the work is done (also for techniques whose cycles cover two rows, and past
    // the end of a pass table).
    bool WorkDone(int counter, int rowCount) const;
    // Bytes of a needle row that cover the pattern width: (width-1) div 8 + 1, at most 40.
    int PlaneByteCount() const;
    int PatternWidth() const;
    // Re-reads Name from the name source (after a change of language).
    void Retranslate();

protected:
    // Takes the name, the rules and the columns from the record of `id`.
    Technique(const TechniqueContext& context, TechniqueId id);

    // Fires OnColorChanged when RowYarns differs from LastYarns, then stores it.
    void FireColorChanged();
    // Fires OnMachineSettingChanged when `setting` differs from LastSetting, then stores it.
    void FireSettingChanged(const std::string& setting);
    // Copies the highest used plane 15..1 of design row `row`; false (nothing
    // copied) when only plane 0 or no plane is used.
    bool CopyTopPlane(int row, uint8_t* bits) const;
    // Sets every needle of the pattern width (and none past it).
    void SelectAllNeedles(uint8_t* bits) const;
    // Clears the needles at and past the pattern width in the last byte of a copy.
    void ClipToWidth(uint8_t* bits) const;
    // Draws the "d$" number line labelled `pass` when pass mod the record's
    // markEvery is 0.
    void DrawMarkLine(int pass);
    static char DirectionChar(int row) { return (row & 1) ? '<' : '>'; }
    // The yarn bit of colour c (0x8000 >> c), as RowYarns and friends hold it.
    static uint16_t YarnBit(int c) { return static_cast<uint16_t>(0x8000u >> c); }

    // The pattern, the row table, the separation and the colour order.
    const PatternRaster& Raster() const { return context_.Raster; }
    const RowTable& Rows() const { return context_.Knit.Rows; }
    const ColourSeparation& Separation() const { return context_.Knit.Separation; }
    YarnColorOrder& ColorOrder() { return context_.Knit.ColorOrder; }

    bool InSheetDraw = false; // set while DrawInstructionSheet calls Prepare

private:
    TechniqueContext context_;
    const TechniqueRecord* record_;
};

} // namespace lc

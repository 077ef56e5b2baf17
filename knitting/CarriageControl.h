#pragma once
// The columns of the instruction sheet: one per carriage control of a technique
// (tension dial, cam lever, russel levers ...), and the row-number column.
// A column is a plain object: it keeps its own left, top, width and height in
// panel pixels and draws on the canvas the technique hands it.
#include <cstdint>
#include <string>
#include <string_view>

#include "knitting/SheetCanvas.h"

namespace lc {

inline constexpr Color kSkyBlue = 0xF0CAA6; // RGB(166,202,240): highlighted cell
inline constexpr Color kCream = 0xF0FBFF;   // RGB(255,251,240): title area
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;

class CarriageControl {
public:
    // `cells` holds one symbol-font letter per cell; `symbol` is the title glyph.
    CarriageControl(std::string_view cells, char symbol);
    virtual ~CarriageControl() = default;

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 60; // the title area

    int CellWidth = 30;
    int CellHeight = 25;
    std::string Cells;
    int CellCount = 0;
    uint32_t Highlight = 0; // bit i: cell i highlighted
    char Symbol = 0;
    ISheetCanvas* Canvas = nullptr;

    // Title symbol, then the cell line.
    virtual void Paint();
    void SetCanvas(ISheetCanvas* canvas) { Canvas = canvas; }
    // index >= 0: highlight cell `index` and show `letter` in it; index < 0: clear
    // every highlight and keep the letters. Indices past the cells are ignored
    // (the highlight set holds 32 cells and a column never has that many).
    void SetCell(int index, char letter);
    virtual void DrawSymbol();
    virtual void DrawCells();
    // One instruction line of this column between top and bottom, letter i of
    // `letters` in cell i (a missing letter draws an empty cell).
    void DrawCellsLine(int top, int bottom, std::string_view letters);

    // The font size that makes the title symbol about as wide as the column.
    // Clamped to 1..72 so that an odd font cannot turn it negative or huge.
    int SymbolFontSize();

protected:
    void drawCell(int i, int top, int bottom, char letter);
};

// The row-number column: 60 pixels wide, one 25-pixel line per instruction line.
class RowCounterControl : public CarriageControl {
public:
    explicit RowCounterControl(int value = 0);

    int ColumnWidth = 60;
    int LineHeight = 25;
    int Value = 0;

    void Paint() override;      // only the cell line
    void DrawSymbol() override; // no title
    void DrawCells() override;  // Value in the cell line
    // The number in decimal, in `color`, on white between top and bottom.
    void DrawNumber(int top, int bottom, Color color, int number);
};

} // namespace lc

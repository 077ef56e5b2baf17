#include "knitting/CarriageControl.h"

#include <algorithm>
#include <string>

namespace lc {

CarriageControl::CarriageControl(std::string_view cells, char symbol)
    : Cells(cells), CellCount(static_cast<int>(cells.size())), Symbol(symbol) {
    Width = CellWidth * CellCount;
}

void CarriageControl::Paint() {
    DrawSymbol();
    DrawCells();
}

void CarriageControl::SetCell(int index, char letter) {
    if (index < 0) {
        Highlight = 0;
        return;
    }
    if (index >= CellCount || index >= 32) return;
    Highlight |= 1u << index;
    Cells[static_cast<size_t>(index)] = letter;
}

int CarriageControl::SymbolFontSize() {
    const std::string s(1, Symbol);
    const int saved = Canvas->fontSize();
    Canvas->setFontSize(10);
    const int w10 = Canvas->textSize(s).cx;
    Canvas->setFontSize(30);
    const int w30 = Canvas->textSize(s).cx;
    Canvas->setFontSize(saved);
    if (w30 == w10) return 30;
    return std::clamp(Width * 20 / (w30 - w10), 1, 72);
}

void CarriageControl::DrawSymbol() {
    if (!Canvas) return;
    Canvas->fillRect(Left, Top, Left + Width, Top + Height, kCream);
    const int savedSize = Canvas->fontSize();
    const Color savedColor = Canvas->fontColor();
    Canvas->setFontSize(SymbolFontSize());
    Canvas->setFontColor(kBlack);
    const std::string s(1, Symbol);
    const TextExtent e = Canvas->textSize(s);
    Canvas->drawText(Left + (Width - e.cx) / 2, Top + (Height - e.cy) / 2, s);
    Canvas->setFontColor(savedColor);
    Canvas->setFontSize(savedSize);
}

void CarriageControl::drawCell(int i, int top, int bottom, char letter) {
    const int l = Left + i * CellWidth;
    const bool lit = i < 32 && (Highlight & (1u << i)) != 0;
    Canvas->fillRect(l, top, l + CellWidth, bottom, lit ? kSkyBlue : kWhite);
    const std::string s(1, letter);
    const TextExtent e = Canvas->textSize(s);
    Canvas->drawText(l + (CellWidth - e.cx) / 2, top + ((bottom - top) - e.cy) / 2, s);
}

void CarriageControl::DrawCells() {
    if (!Canvas) return;
    const int top = Top + Height + 2;
    for (int i = 0; i < CellCount; ++i) drawCell(i, top, top + CellHeight, Cells[static_cast<size_t>(i)]);
}

void CarriageControl::DrawCellsLine(int top, int bottom, std::string_view letters) {
    if (!Canvas) return;
    for (int i = 0; i < CellCount; ++i)
        drawCell(i, top, bottom, static_cast<size_t>(i) < letters.size() ? letters[static_cast<size_t>(i)] : ' ');
}

RowCounterControl::RowCounterControl(int value) : CarriageControl("f", 'f'), Value(value) {
    Width = ColumnWidth;
    CellCount = 1;
}

void RowCounterControl::Paint() { DrawCells(); }

void RowCounterControl::DrawSymbol() {}

void RowCounterControl::DrawCells() {
    const int top = Top + Height + 2;
    DrawNumber(top, top + LineHeight, kBlack, Value);
}

void RowCounterControl::DrawNumber(int top, int bottom, Color color, int number) {
    if (!Canvas) return;
    const Color saved = Canvas->fontColor();
    Canvas->setFontColor(color);
    Canvas->fillRect(Left, top, Left + ColumnWidth, bottom, kWhite);
    const std::string s = std::to_string(number);
    const TextExtent e = Canvas->textSize(s);
    Canvas->drawText(Left + (ColumnWidth - e.cx) / 2, top + ((bottom - top) - e.cy) / 2, s);
    Canvas->setFontColor(saved);
}

} // namespace lc

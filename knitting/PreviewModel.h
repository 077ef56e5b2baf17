#pragma once
// The Link page's three display panels, as models the widgets paint from:
//   - PreviewModel: the whole design (or the laid garment) scaled into the panel in
//     the fabric's proportions, with a marker at the current design row;
//   - ColorInstruction: the yarn colours of the current pass (carriage glyph,
//     one bobbin per colour, feed lines, the strip of all colours);
//   - the carriage-setting line is a plain text (CarriageAddInfoView, UI only).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/PatternRaster.h"
#include "knitting/KnitState.h"

namespace lc {

class Workspace;

inline constexpr int kPreviewHeader = 20; // the header strip at the top

struct PreviewLayout {
    bool valid = false; // false: nothing to draw (no rows, no stitches)
    double pixPerStitch = 0;
    double pixPerRow = 0;
    // Source: picture columns srcLeft..srcLeft+srcWidth-1 and design rows 0..srcRows-1.
    int srcLeft = 0;
    int srcWidth = 0;
    int srcRows = 0;
    // Destination rectangle; `bottom` is the base line of every row position.
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string header;
};

class PreviewModel {
public:
    // Shows the workspace's pattern (or its laid garment) in the proportions of
    // its gauge, with the header in its texts.
    explicit PreviewModel(const Workspace& ws) : ws_(ws) {}

    int RibRow = 0;      // rows reserved below the pattern (the program leaves it at 0)
    bool Mirror = false; // draw mirrored left to right (right side facing)
    bool Even = false;   // rows picked in pairs (the jacquards)

    int ClientWidth = 100;
    int ClientHeight = 300;

    // Recomputes the layout from the pattern, the garment and the gauge.
    const PreviewLayout& Layout();
    const PreviewLayout& CurrentLayout() const { return layout_; }

    // The design row under y, or -1 (see the .cpp for the garment rule).
    int RowAt(int y);
    // Moves the marker to a design row (ignored below 0).
    void SetCurrentRow(int row);
    int MarkedRow() const { return markedRow_; }
    // The marker's y for the layout in force, -1 when there is none.
    int MarkerY();

private:
    const Workspace& ws_;
    PreviewLayout layout_;
    int markedRow_ = 0;
};

// The yarn panel's properties.
struct ColorInstruction {
    int ColorCount = 2;          // kept, not used for drawing
    uint8_t Carriage = 157;      // the carriage glyph of the symbol font
    int CarrPosition = 0;        // carriage side: 0 left, 1 right (else centred)
    int ActiveColor = 0;         // colours of the current pass, colour c under 0x8000 >> c
    int ThreadType = 0;          // colours drawn with a thick feed line
    int Threads = 0;             // colours fed in this pass
    int AllColorsInPic = 0x8000; // every colour of the design
    int DrawThreadCount = 1;     // kept, not used for drawing
    int ChangedColors = 0;       // colours newly needed in this pass
};

inline constexpr uint8_t kBobbinGlyph = 64;
inline constexpr Color kYarnPanelInk = RGB(90, 0, 90);

struct ColorPanelLayout {
    int carriageX = 0;  // left of the carriage glyph (y = 2)
    int lineStartX = 0; // where the feed lines start (y = 26)
    static constexpr int kLineStartY = 26;
    static constexpr int kBobbinY = 42;
    static constexpr int kNumberY = 72;
    struct Bobbin {
        int number = 0;    // k = 1, 2, 3 ...
        int colour = 0;    // the colour of the pass
        Color value = 0;   // palette value drawn (through ColorOrder)
        int x = 0;         // centre x
        bool fed = false;  // a feed line is drawn to it
        int lineWidth = 1; // 3 for the marked yarns
    };
    std::vector<Bobbin> bobbins;
    struct Cell {
        int left = 0, top = 0, right = 0, bottom = 0;
        int colour = 0;
        Color value = 0;
        bool changed = false; // a white circle marks a newly needed colour
    };
    int cellWidth = 0;
    std::vector<Cell> palette;
};

// Lays the yarn panel out for a client of w x h pixels; `carriageWidth` is the
// carriage glyph's width in the panel's font. Palette values come from
// `colors` (the pattern's), bobbin colours through `colorOrder` (KnitState.h).
ColorPanelLayout LayoutColorPanel(const ColorInstruction& ci, const ColorTable17& colors,
                                  const YarnColorOrder& colorOrder, int w, int h, int carriageWidth);

} // namespace lc

#pragma once
// The text tool: writes text, already turned into cells by the text dialog,
// into the picture as one undo step. Glyph cells take colour A, the box of a
// straight line of text colour B; cells the text leaves alone keep their value.
// The protected zone is kept out of, and cells beyond the pattern are dropped.
#include <cstdint>
#include <vector>

#include "editor/DrawingTool.h"

namespace lc {

// Text as cells: `width` x `height` values, line by line from the top; 0 leaves
// the cell, 1 is a glyph cell (colour A), 2 the text box (colour B).
struct TextStamp {
    enum Cell : uint8_t { Keep = 0, Glyph = 1, Box = 2 };
    int width = 0, height = 0;
    std::vector<uint8_t> cells;
    // Where the stamp's top left cell goes: a picture column and line.
    int column = 0, line = 0;
};

class TextTool : public DrawingTool {
public:
    // Writes `stamp`; false when no cell of the pattern changed (nothing is
    // then recorded for undo).
    bool put(ToolContext& ctx, const TextStamp& stamp);
};

} // namespace lc

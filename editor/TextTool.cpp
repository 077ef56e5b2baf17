#include "editor/TextTool.h"

#include <algorithm>

#include "editor/ToolContext.h"

namespace lc {

bool TextTool::put(ToolContext& ctx, const TextStamp& stamp) {
    CanvasModel& model = ctx.model();
    if (stamp.width <= 0 || stamp.height <= 0 ||
        stamp.cells.size() < static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height))
        return false;
    // Indices, not colours: the lowest palette entry of A's and B's colour.
    const ColourClasses cls = CanonicalIndex(model.data());
    const uint8_t a = cls[ctx.state().ColorA], b = cls[ctx.state().ColorB];
    const int x0 = std::max(stamp.column, 0), x1 = std::min(stamp.column + stamp.width, ctx.W());
    const int y0 = std::max(stamp.line, 0), y1 = std::min(stamp.line + stamp.height, model.lastEditableLine() + 1);
    if (x0 >= x1 || y0 >= y1) return false;
    bool opened = false, any = false;
    for (int line = y0; line < y1; ++line) {
        const uint8_t* src = stamp.cells.data() + static_cast<size_t>(line - stamp.line) * stamp.width;
        bool rowHasText = false;
        for (int x = x0; x < x1 && !rowHasText; ++x) rowHasText = src[x - stamp.column] != TextStamp::Keep;
        if (!rowHasText) continue;
        if (!opened) {
            model.undo().BeginStep();
            opened = true;
        }
        uint8_t* dst = model.lineForWrite(line);
        for (int x = x0; x < x1; ++x) {
            const uint8_t c = src[x - stamp.column];
            if (c == TextStamp::Glyph) dst[x] = a;
            else if (c == TextStamp::Box) dst[x] = b;
        }
        any = true;
    }
    if (opened) model.undo().CloseStep();
    if (any) model.changed();
    return any;
}

} // namespace lc

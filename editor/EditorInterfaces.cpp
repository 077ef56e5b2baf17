#include "editor/EditorInterfaces.h"

#include "core/AppMessages.h"

namespace lc {

namespace {
// Two signed 16-bit halves; the receiver reads them back as signed values, so
// a captured drag left of column 0 shows 0 or below, not 65535.
intptr_t pack16(int low, int high) {
    return static_cast<intptr_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) | static_cast<uint32_t>(low & 0xFFFF));
}
} // namespace

void AppMessageEditorEvents::makeBobbins() { SendAppMessage(AppMsg::MakeBobbins); }
void AppMessageEditorEvents::undoDisable() { SendAppMessage(AppMsg::DrawingUndoDisable); }
void AppMessageEditorEvents::undoEnable() { SendAppMessage(AppMsg::DrawingUndoEnable); }
void AppMessageEditorEvents::showPosition(int column, int row) {
    SendAppMessage(AppMsg::ShowPosition, pack16(column, row));
}
void AppMessageEditorEvents::showColorInPalette(int index) { SendAppMessage(AppMsg::ShowColorInPalette, index); }
void AppMessageEditorEvents::showBlockSize(int width, int height) {
    SendAppMessage(AppMsg::ShowBlockSize, pack16(width, height));
}

} // namespace lc

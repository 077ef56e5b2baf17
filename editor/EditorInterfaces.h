#pragma once
// What the pattern editor's engine needs from the outside world. The canvas
// widget, the editor frame and the gallery implement these; tests fake them.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace lc {

// The editor engine's announcements to its page (the Drawing page), for the
// page's own read-outs and buttons. Every method does nothing by default, so a
// listener overrides only what it shows.
class IEditorEvents {
public:
    virtual ~IEditorEvents() = default;
    virtual void makeBobbins() {}                             // colour A or B changed
    virtual void undoDisable() {}                             // the undo stack became empty
    virtual void undoEnable() {}                              // a step was pushed
    virtual void showPosition(int /*column*/, int /*row*/) {} // status read-out (1-based, or 0/index for the dropper)
    virtual void showColorInPalette(int /*index*/) {}         // palette index under the dropper
    virtual void showBlockSize(int /*width*/, int /*height*/) {} // size of the block being dragged
};

// The canvas widget: the engine asks it to redraw; the widget renders the
// picture itself (CanvasRenderer) and draws the preview shape (ToolEngine::overlay)
// on its own back buffer.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual void paintAll() {}                            // redraw the whole view
    virtual void drawCell(int /*column*/, int /*row*/) {} // redraw one cell
    virtual void overlayChanged() {}                      // the rubber-band preview changed
    virtual void scrolled() {}                            // the view origin moved (rulers follow)
};

// A gallery pattern: w x h cells packed two per byte, (w + 1) / 2 bytes per
// pattern row, cell 2k in the high nibble of byte k; rows one after the other.
// `data` stays valid until the next call on the source.
struct PackedPattern {
    int width = 0;
    int height = 0;
    const uint8_t* data = nullptr;
    size_t size = 0; // bytes available at data
};

// The pattern selected in the open gallery, or none.
class IPatternSource {
public:
    virtual ~IPatternSource() = default;
    virtual std::optional<PackedPattern> selectedPattern() = 0;
};

enum class MouseButton : uint8_t { Left = 0, Right = 1, Middle = 2 };

struct KeyMods {
    bool shift = false;
    bool ctrl = false;
};

} // namespace lc

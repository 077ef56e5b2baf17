#pragma once
// The machine panel's engine: the list of techniques, the current one, the
// instruction sheet's scroll bar and row up-down. The Qt widget owns one and
// forwards its paint, scroll and up-down events here.
//
// Inside the program a technique is known by its kind; its translated name is
// for display and the technique box only (two names may be equal when the
// language file lacks keys).
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "knitting/LinkPanelEvents.h"
#include "knitting/SheetCanvas.h"
#include "knitting/Technique.h"

namespace lc {

class KnitMachine {
public:
    KnitMachine();
    virtual ~KnitMachine();
    KnitMachine(const KnitMachine&) = delete;
    KnitMachine& operator=(const KnitMachine&) = delete;

    std::string Name;
    int NeedleCount = 200;
    int CarriageCount = 0;
    int Width = 600; // panel size in pixels
    int Height = 300;
    Color PanelColor = 0xC0C0C0;
    std::string FontName = "Loopcraft"; // the private symbol font
    int FontSize = 14;

    LinkPanelEvents* Listener = nullptr; // hears the up-down's rowCounterChanged
    Technique* CurrentTechnique = nullptr;
    std::vector<std::unique_ptr<Technique>> Techniques; // in creation order

    struct ScrollBarModel {
        int Min = 0, Max = 0, Position = 0;
        int Left = 0, Top = 0, Width = 16, Height = 300;
    } LineScroll;
    struct UpDownModel {
        int Min = 0, Max = 2047, Position = 0;
        int Width = 60, Height = 60;
    } RowUpDown;

    // Asked to repaint (after a scroll, an up-down change, a technique change).
    std::function<void()> OnInvalidate;

    // Fills the panel and draws the current technique's sheet: the whole sheet at
    // up-down position 0, else the instruction of that position.
    void Paint(ISheetCanvas& canvas);
    void Resize(int width, int height);
    // The scroll bar moved: first instruction line shown.
    void ScrollBarChange(int position);
    // The up-down moved: tells the listener rowCounterChanged(position).
    // Positions outside Min..Max are clamped.
    void UpDownClick(int position);
    // The up-down's range follows the row counter's (2047 until set), so that
    // every pass of a long run can be shown.
    void SetRowRange(int maximum);
    void SetListener(LinkPanelEvents* listener) { Listener = listener; }

    // Kind of technique i and its name; -1 (name untouched) when there is none.
    int GetTechnique(int i, std::string& name) const;
    std::string GetCurrentTechniqueName() const;
    // The technique of this kind becomes current; false (current kept) when none has it.
    // In both cases the scroll bar goes back to the top of the current sheet.
    bool SelectTechniqueByKind(int kind);
    // For the technique box: the first technique with exactly this name.
    bool SelectTechnique(std::string_view name);
    Technique* FindTechnique(int kind) const;
    int IndexOf(const Technique* t) const;
    // Re-reads every technique's name (after a change of language).
    void Retranslate();

protected:
    void Add(std::unique_ptr<Technique> t);
    void ResetScrollBar();
    void Invalidate() {
        if (OnInvalidate) OnInvalidate();
    }
};

// The one machine model: creates the seventeen techniques in kind order, each
// with `context`; fair isle is current.
class SilverReedMachine : public KnitMachine {
public:
    explicit SilverReedMachine(const TechniqueContext& context);
};

// The technique list shared with the galleries: one "name=kind" line per
// technique with a kind above 0, in machine order.
std::vector<std::string> TechniqueListLines(const KnitMachine& machine);

} // namespace lc

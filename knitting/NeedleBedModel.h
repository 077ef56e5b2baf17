#pragma once
// The needle bed strip of the Link page: a ruler of needles numbered from the
// centre, the two point cams that bound the needles in work, and the stitches
// of the current design row with the rows around it. This is the bed's model:
// its geometry, the cams and their limits, what each band shows. The widget
// (knitting/ui/NeedleBedView.h) paints from it and forwards the mouse.
//
// Cams: LSPos is the left cam's needle, RSPos one past the right cam's needle,
// so the needles in work are LSPos..RSPos-1. Every grab, step and drop, and
// every change of the shown needles, is told to the listener synchronously.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/EditorState.h"
#include "core/Machine.h"
#include "core/PatternRaster.h"
#include "knitting/LinkPanelEvents.h"

namespace lc {

// Cam buttons: 29 x 18 pixels, their top 44 pixels above the bed's bottom.
inline constexpr int kCamButtonWidth = 29;
inline constexpr int kCamButtonHeight = 18;
inline constexpr int kCamButtonRise = 44;
inline constexpr int kRulerHeight = 25;
// Needles that must stay between the cams when one is stepped.
inline constexpr int kCamMinGap = 5;

inline constexpr Color kBedSilver = 0xC0C0C0;
inline constexpr Color kBedGrey160 = RGB(160, 160, 160);
inline constexpr Color kBedGrey180 = RGB(180, 180, 180);
inline constexpr Color kRulerGrey = RGB(220, 220, 220);

// Needle n as the knitter reads it: with h = width div 2, "L" followed by h - n
// for n below h, else "R" followed by n - h + 1.
std::string FormatNeedleNumber(int n, int width);
// The same count with the letters exchanged (the wrong side faces the knitter).
std::string FormatNeedleNumberSwapped(int n, int width);

class NeedleBedModel {
public:
    // The bed shows `raster` (its width until SetPatternWidth says otherwise),
    // with the garment's edges while editor.GarmentMode is set.
    NeedleBedModel(const PatternRaster& raster, const EditorState& editor);

    // --- published properties
    int LSPos = 0;
    int RSPos = 200;
    int Position = 0; // kept, not used
    int MinPos = 0;
    int MaxPos = 200;
    int PageSize = 20;              // kept, not used
    bool Mirrored = false;          // right side of the fabric faces the knitter
    bool ShowActiveNeedles = false; // show the selected needles of the current pass (fine lace)

    LinkPanelEvents* Listener = nullptr;
    // Asked to repaint (a coalesced update, never a synchronous paint).
    std::function<void()> OnInvalidate;

    // --- the pattern the bed shows; SetPatternWidth follows a change of width
    const PatternRaster& Raster() const { return raster_; }
    int PatternWidth() const { return width_; }
    // Takes the current pattern's width: MaxPos := width. A new width (and the
    // first one) brings the cams to 0 and the width; the same width again
    // leaves them where they are.
    void SetPatternWidth(int width);
    // The needles of the machine: the cams the adapter reports are kept as they
    // are within them, also past a narrower pattern's last needle (the adapter
    // relies on getting them back unchanged). Only what is derived from the
    // cams for the pattern (the trim, the bed's drawing, the labels) is kept
    // within the pattern.
    void SetMachineNeedles(int needles);
    // One past the highest needle a cam may stand on: the larger of the
    // pattern's width and the machine's needles.
    int CamLimit() const { return std::max(width_, machineNeedles_); }

    // --- operations
    void SetListener(LinkPanelEvents* listener) { Listener = listener; }
    // LSPos := left, RSPos := right + 1 (right is the last needle in work). Values
    // are kept within 0..CamLimit(); a pair out of order keeps one needle in work.
    void SetCams(int left, int right);
    // Equal cams are reset to 0 and the width; the visible range becomes the
    // cams' (within the pattern).
    void FitCams();
    // Shows n needles, centred (n is kept within 1..width).
    void ZoomToCount(int n);
    // Shows needles first..last.
    void SetVisibleRange(int first, int last);
    // 41 bytes of needle bits, needle n in byte n div 8 under 128 shr (n mod 8).
    void SetActiveNeedles(const uint8_t* bits);
    const std::array<uint8_t, 41>& ActiveNeedles() const { return active_; }
    // Remembers the design row to show and repaints.
    void DrawRow(int row);
    int Row() const { return row_; }
    // Moves a cam by n needles; a step that breaks a limit is ignored as a whole.
    bool StepLeftCam(int n);
    bool StepRightCam(int n);

    // --- the cam buttons and the mouse (x in the button's own coordinates)
    void CamMouseDown(bool rightCam, int x);
    void CamMouseMove(bool rightCam, int x);
    void CamMouseUp(bool rightCam);
    bool Dragging() const { return drag_; }

    // --- geometry
    void Resize(int clientWidth, int clientHeight);
    int ClientWidth() const { return clientW_; }
    int ClientHeight() const { return clientH_; }
    int FirstVisible() const { return first_; }
    int EndVisible() const { return end_; } // one past the last visible needle
    int VisibleCount() const { return end_ - first_; }
    int Pitch() const { return pitch_; } // at least 1
    int Margin() const { return margin_; }
    // Left edge of needle n's column (n may lie outside the visible range).
    int NeedleX(int n) const { return margin_ + (n - first_) * pitch_; }
    // The x a cam's button is centred on: the left edge of the left cam's needle,
    // the right edge of the right cam's needle.
    int CamX(bool rightCam) const { return NeedleX(rightCam ? RSPos : LSPos); }
    bool CamVisible(bool rightCam) const;
    struct Rect {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    };
    Rect CamButtonRect(bool rightCam) const;

    // The ruler: long lines and labels at every RulerStep()-th needle.
    int RulerStep() const { return pitch_ <= 6 ? 10 : 5; }
    // The label of needle n on the ruler, empty for none: left of the centre
    // "L" + (h - n) where n is a multiple of the step, right of it "R" + k where
    // k = n - h + 1 is a multiple of the step.
    std::string RulerLabel(int n) const;
    // The centre needle (width div 2) gets a line without a label.
    bool RulerLine(int n) const;

    // The bands of rows: the current row in the middle, the rows above it above.
    struct Band {
        int row = 0;
        int top = 0;
        int height = 0;
        bool current = false;
    };
    std::vector<Band> Bands() const;
    // The colour of every visible needle in the band of `row`: out[i] for needle
    // FirstVisible() + i. `cells` says whether the needle draws a cell (pitch - 1
    // wide) in that colour; a needle without a cell shows the band's own colour
    // (silver between the cams, the grey of the bed outside them).
    void BandColors(int row, bool current, std::vector<Color>& out, std::vector<uint8_t>& cells) const;

private:
    void invalidate();
    void computePitch();
    void clampCams();
    void fitVisibleToCams();

    const PatternRaster& raster_;
    const EditorState& editor_;
    int width_ = 0; // 0 until the first SetPatternWidth
    int machineNeedles_ = 0;
    int clientW_ = 0;
    int clientH_ = 0;
    int first_ = 0;
    int end_ = 200;
    int pitch_ = 1;
    int margin_ = 0;
    int row_ = 0;
    bool drag_ = false;
    bool dragRight_ = false;
    int grabX_ = 0;
    std::array<uint8_t, 41> active_{};
};

} // namespace lc

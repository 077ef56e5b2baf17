#include "knitting/NeedleBedModel.h"

#include <algorithm>
#include <cstring>

namespace lc {

std::string FormatNeedleNumber(int n, int width) {
    const int h = width / 2;
    return n < h ? "L" + std::to_string(h - n) : "R" + std::to_string(n - h + 1);
}

std::string FormatNeedleNumberSwapped(int n, int width) {
    const int h = width / 2;
    return n < h ? "R" + std::to_string(h - n) : "L" + std::to_string(n - h + 1);
}

NeedleBedModel::NeedleBedModel(const PatternRaster& raster, const EditorState& editor)
    : raster_(raster), editor_(editor) {
    SetPatternWidth(raster.Width > 0 ? raster.Width : 200);
}

void NeedleBedModel::invalidate() {
    if (OnInvalidate) OnInvalidate();
}

void NeedleBedModel::computePitch() {
    const int count = std::max(1, end_ - first_);
    // A bed narrower than its needles still gets one pixel per needle: the
    // drag divides by the pitch and the bands are sized from it.
    pitch_ = std::max(1, (clientW_ - 30) / count);
    margin_ = (clientW_ - count * pitch_) / 2;
}

void NeedleBedModel::clampCams() {
    const int limit = CamLimit();
    LSPos = std::clamp(LSPos, 0, limit - 1);
    RSPos = std::clamp(RSPos, LSPos + 1, limit);
}

void NeedleBedModel::fitVisibleToCams() {
    // The bed shows the pattern's needles only, whatever the cams say.
    first_ = std::clamp(LSPos, 0, width_ - 1);
    end_ = std::clamp(RSPos, first_ + 1, width_);
}

void NeedleBedModel::SetPatternWidth(int width) {
    width = std::max(1, width);
    MinPos = 0;
    MaxPos = width;
    if (width != width_) {
        // A new pattern width (a machine change, a picture of another width):
        // the cams take the whole pattern, as on a new bed.
        width_ = width;
        LSPos = 0;
        RSPos = width;
        first_ = 0;
        end_ = width;
    }
    clampCams();
    first_ = std::clamp(first_, 0, width_ - 1);
    end_ = std::clamp(end_, first_ + 1, width_);
    computePitch();
    invalidate();
}

void NeedleBedModel::SetMachineNeedles(int needles) {
    machineNeedles_ = std::clamp(needles, 0, kMaxNeedles);
    clampCams();
}

void NeedleBedModel::Resize(int clientWidth, int clientHeight) {
    clientW_ = std::max(0, clientWidth);
    clientH_ = std::max(0, clientHeight);
    computePitch();
    invalidate();
}

void NeedleBedModel::SetCams(int left, int right) {
    // Adapter reports are taken as they are within the machine's needles (the
    // point-cam packet echoes them); garment edges lie within the pattern.
    const int limit = CamLimit();
    const int l = std::clamp(left, 0, limit - 1);
    const int r = std::clamp(right + 1, l + 1, limit);
    if (l == LSPos && r == RSPos) return;
    LSPos = l;
    RSPos = r;
    if (first_ <= LSPos && RSPos <= end_) invalidate();
    else FitCams();
}

void NeedleBedModel::FitCams() {
    if (LSPos == RSPos) {
        LSPos = 0;
        RSPos = width_;
    }
    clampCams();
    fitVisibleToCams();
    computePitch();
    if (Listener) Listener->bedScrolled(first_, end_);
    invalidate();
}

void NeedleBedModel::ZoomToCount(int n) {
    n = std::clamp(n, 1, width_);
    if (n != width_) {
        first_ = (width_ - n) / 2;
        end_ = first_ + n;
    } else {
        first_ = 0;
        end_ = width_;
    }
    if (end_ > MaxPos) {
        end_ = MaxPos;
        first_ = std::max(0, MaxPos - n);
    }
    computePitch();
    if (Listener) Listener->bedScrolled(first_, end_);
    invalidate();
}

void NeedleBedModel::SetVisibleRange(int first, int last) {
    first_ = std::clamp(first, 0, width_ - 1);
    end_ = std::clamp(last + 1, first_ + 1, width_);
    computePitch();
    invalidate();
}

void NeedleBedModel::SetActiveNeedles(const uint8_t* bits) {
    if (bits) std::memcpy(active_.data(), bits, active_.size());
    else active_.fill(0);
    invalidate();
}

void NeedleBedModel::DrawRow(int row) {
    row_ = row;
    invalidate();
}

bool NeedleBedModel::StepLeftCam(int n) {
    const int to = LSPos + n;
    if (n == 0 || to < MinPos || to >= RSPos - kCamMinGap) return false;
    LSPos = to;
    if (Listener) Listener->camStepped(false, LSPos);
    invalidate();
    return true;
}

bool NeedleBedModel::StepRightCam(int n) {
    const int to = RSPos + n;
    // A cam the adapter put past the pattern may still be brought back in.
    if (n == 0 || to <= LSPos + kCamMinGap || (to > MaxPos && n > 0)) return false;
    RSPos = to;
    if (Listener) Listener->camStepped(true, RSPos - 1);
    invalidate();
    return true;
}

void NeedleBedModel::CamMouseDown(bool rightCam, int x) {
    if (Listener) Listener->camGrabbed(rightCam, rightCam ? RSPos - 1 : LSPos);
    drag_ = true;
    dragRight_ = rightCam;
    grabX_ = x;
}

void NeedleBedModel::CamMouseMove(bool rightCam, int x) {
    if (!drag_ || rightCam != dragRight_) return;
    // The button follows its cam, so x stays measured against the grab point.
    const int steps = (x - grabX_) / pitch_;
    if (steps == 0) return;
    if (rightCam) StepRightCam(steps);
    else StepLeftCam(steps);
}

void NeedleBedModel::CamMouseUp(bool rightCam) {
    if (!drag_ || rightCam != dragRight_) return;
    drag_ = false;
    if (Listener) Listener->camDropped(rightCam);
    invalidate();
}

bool NeedleBedModel::CamVisible(bool rightCam) const {
    const int p = rightCam ? RSPos : LSPos;
    return p >= first_ && p <= end_;
}

NeedleBedModel::Rect NeedleBedModel::CamButtonRect(bool rightCam) const {
    Rect r;
    r.left = CamX(rightCam) - kCamButtonWidth / 2;
    r.top = clientH_ - kCamButtonRise;
    r.right = r.left + kCamButtonWidth;
    r.bottom = r.top + kCamButtonHeight;
    return r;
}

std::string NeedleBedModel::RulerLabel(int n) const {
    const int h = width_ / 2;
    const int step = RulerStep();
    if (n < h) return (n % step == 0) ? "L" + std::to_string(h - n) : std::string();
    const int k = n - h + 1;
    if (n != h && k % step == 0) return "R" + std::to_string(k);
    return {};
}

bool NeedleBedModel::RulerLine(int n) const { return n == width_ / 2 || !RulerLabel(n).empty(); }

std::vector<NeedleBedModel::Band> NeedleBedModel::Bands() const {
    int bh = std::max(2, pitch_ + pitch_ / 2);
    int m = (clientH_ - 40 - bh) / (bh + 2);
    if (m < 5) {
        bh = std::max(2, (clientH_ - 50) / 5);
        m = 5;
    }
    const int half = m / 2 - 1;
    std::vector<Band> out;
    out.reserve(static_cast<size_t>(2 * std::max(0, half) + 1));
    int y = 5;
    for (int k = half; k >= 1; --k, y += bh + 2) out.push_back({row_ + k, y, bh, false});
    out.push_back({row_, y, bh, true});
    y += bh + 2;
    for (int k = 1; k <= half; ++k, y += bh + 2) out.push_back({row_ - k, y, bh, false});
    return out;
}

void NeedleBedModel::BandColors(int row, bool current, std::vector<Color>& out, std::vector<uint8_t>& cells) const {
    const int count = VisibleCount();
    out.assign(static_cast<size_t>(std::max(0, count)), kBedSilver);
    cells.assign(out.size(), 0);
    const PatternRaster& g = raster_;
    const bool garmentMode = editor_.GarmentMode;
    const bool inPattern = row >= 0 && row < g.Height && row < g.Picture.height();
    const int line = g.LineOfRow(row);
    const uint8_t* cellsLine = inPattern ? g.Picture.line(line) : nullptr;
    const int pw = std::min(g.Width, g.Picture.width());
    const bool showActive = current && ShowActiveNeedles;
    for (int i = 0; i < count; ++i) {
        const int n = first_ + i;
        const int column = Mirrored ? width_ - 1 - n : n;
        const bool columnInPattern = inPattern && column >= 0 && column < pw;
        const size_t k = static_cast<size_t>(i);
        if (n < LSPos || n >= RSPos) {
            if (garmentMode && columnInPattern) {
                out[k] = g.IsMaskCellSet(column, line) ? kBedGrey160 : kBedGrey180;
                cells[k] = 1; // a full-pitch cell
            } else {
                out[k] = kBedGrey160;
            }
            continue;
        }
        if (!columnInPattern) continue;
        if (garmentMode && g.IsMaskCellSet(column, line)) continue; // left silver
        if (showActive && column < 8 * static_cast<int>(active_.size()) &&
            (active_[static_cast<size_t>(column / 8)] & (0x80u >> (column % 8)))) {
            out[k] = 0x000000;
        } else {
            out[k] = g.Colors[std::min<size_t>(cellsLine[column], g.Colors.size() - 1)];
        }
        cells[k] = 2; // a stitch cell, one pixel narrower than the pitch
    }
}

} // namespace lc

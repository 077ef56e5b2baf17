#include "knitting/LinkController.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/Machine.h"
#include "knitting/Technique.h"

namespace lc {

namespace {

std::unique_ptr<KnitMachine> makeMachine(const Workspace& ws, KnitState& knitting) {
    // The techniques take their names from the language file.
    const Translator& translator = ws.Translator;
    TechniqueContext context{ws.Raster, knitting,
                             [&translator](std::string_view key) { return TechniqueName(key, translator); }};
    return std::make_unique<SilverReedMachine>(context);
}

int mod2(int v) { return ((v % 2) + 2) % 2; }

// The drawing check shows where it is at most this often: a read-out per row
// would cost more than checking the row.
constexpr auto kProgressStep = std::chrono::milliseconds(10);

} // namespace

LinkController::LinkController(Workspace& ws, SerialLink& serial, IKnitRunHost& host, ILinkView* view, PageLinks* links)
    : ws_(ws), host_(host), view_(view), links_(links), machine_(makeMachine(ws, knitting_)),
      bed_(ws.Raster, ws.Editor), preview_(ws), source_(*machine_, knitting_, ws.Raster, ws.Editor), cams_(bed_),
      run_(std::make_unique<KnitRun>(*this, source_, cams_, serial, ws, links)) {}

LinkController::~LinkController() {
    // The run closes its port before the machine and the bed it reads go.
    run_.reset();
}

void LinkController::refresh(unsigned parts) {
    if (view_) view_->refresh(parts);
}

int LinkController::BedPanelHeight(int h) {
    if (h < 400) return 310;
    if (h <= 600) return std::max(310, h - 200);
    return static_cast<int>(std::nearbyint(h * 0.6));
}

int LinkController::RowCounterMaximum() const {
    const Technique* t = ActiveTechnique();
    if (!t) return 0;
    const int pc = t->PassCount();
    if (pc > 0) return pc;
    // Without a garment every row of the pattern can be knitted: the counter
    // must reach the last one, or the run would never come to its end.
    const PatternRaster& g = ws_.Raster;
    const int rows = ws_.Editor.GarmentMode ? std::min(g.Height, g.GarmentRows) : g.Height;
    return std::max(0, rows) * t->PassesPerRow;
}

int LinkController::ProgressMax() const { return std::max(1, ws_.Raster.Height); }

int LinkController::ScrollMax() const { return std::max(0, bed_.PatternWidth() - scrollPage_); }

void LinkController::playEventSound(EventSound sound) {
    if (links_) links_->playEventSound(sound);
}

void LinkController::announceTechnique() {
    if (links_) links_->techniqueChanged(machine_->GetCurrentTechniqueName());
}

void LinkController::attachEvents() {
    for (auto& t : machine_->Techniques) {
        t->OnMachineSettingChanged = [this](Technique&) { playEventSound(EventSound::CarriageSettingChanged); };
        t->OnColorChanged = [this](Technique&) { playEventSound(EventSound::ColourChanged); };
    }
}

void LinkController::syncRunButtons() {
    run_->SetWrongSide(buttons_.WrongSideDown);
    run_->SetTrimEdges(buttons_.TrimMaskDown);
}

void LinkController::applySide(bool wrongSide) {
    bed_.Mirrored = !wrongSide;
    buttons_.RightSideDown = !wrongSide;
    buttons_.WrongSideDown = wrongSide;
    preview_.Mirror = !wrongSide;
    const Technique* t = ActiveTechnique();
    bed_.ShowActiveNeedles = t && t->Kind == tkFineLace;
    syncRunButtons();
    refresh(lpButtons | lpNeedleBed | lpPreview);
}

void LinkController::FormCreate() {
    if (created_) return;
    created_ = true;
    bed_.SetListener(this);
    bed_.SetPatternWidth(ws_.Raster.Width);
    bed_.SetMachineNeedles(ws_.CurrentMachine.Needles);
    bed_.FitCams();
    machine_->SetListener(this);
    announceTechnique();

    ws_.TechniqueList = TechniqueListLines(*machine_);
    attachEvents();
    const Technique* t = ActiveTechnique();
    applySide(t && t->OtherSide != 0);
    buttons_.ComboEnabled = !ws_.TechniqueList.empty();
    buttons_.ProtocolButtonVisible = ws_.Settings.ViewProtocol > 0;
    refresh(lpAll);
}

void LinkController::Preparation() {
    PreparationOptions o;
    o.GarmentMode = ws_.Editor.GarmentMode;
    o.DiscretCorrection = buttons_.DiscretCorrectionDown;
    o.StartSide = ActiveTechnique() ? ActiveTechnique()->StartSide : 0;
    o.Mirrored = bed_.Mirrored;
    lc::Preparation(knitting_.Rows, ws_.Raster, o);
    colorPanel_.AllColorsInPic = knitting_.Rows.AllColorsInPic;
    // The side the adapter reported stands while a run is going.
    if (o.GarmentMode && !run_->LinkUp()) run_->SetCarriageSide(mod2(RowCounter() + o.StartSide));
    ShowRowInfo();
    refresh(lpLabels | lpColorPanel);
}

void LinkController::applyKindButtons(bool spread) {
    const Technique* t = ActiveTechnique();
    if (!t) return;
    buttons_.NoTrimMaskEnabled = true;
    if (const int n = JacquardColors(t->Kind)) {
        if (spread) knitting_.Separation.SpreadColors(n);
    } else if (t->Kind == tkLace || t->Kind == tkFineLace) {
        if (t->Kind == tkFineLace) ActiveTechnique()->Prepare(); // builds the pass table (cached)
        buttons_.TrimMaskDown = true;
        buttons_.NoTrimMaskEnabled = false;
    }
    syncRunButtons();
}

void LinkController::OnShowForm() {
    if (!created_) FormCreate();
    // Mid-run the row table, the separation and the pass table stay as the run
    // uses them; the page only shows where it is.
    if (run_->LinkUp()) {
        DrawLine();
        return;
    }
    bed_.SetPatternWidth(ws_.Raster.Width);
    bed_.SetMachineNeedles(ws_.CurrentMachine.Needles);
    Preparation();
    knitting_.Separation.Clear();
    knitting_.Separation.Build(ws_.Raster, ws_.Editor.GarmentMode);
    applyKindButtons(true);

    rowCounterMax_ = RowCounterMaximum();
    if (RowCounter() > rowCounterMax_) SetZeroRow();
    attachEvents();
    machine_->SetRowRange(rowCounterMax_);
    run_->SetDesignRow(ActiveTechnique() ? ActiveTechnique()->PassToRow(RowCounter()) : RowCounter());
    bed_.FitCams();
    DrawLine();
    bed_.ShowActiveNeedles = ActiveTechnique() && ActiveTechnique()->Kind == tkFineLace;
    // Also after a technique restored without the box: the jacquards' rows go in pairs.
    preview_.Even = ActiveTechnique() && JacquardColors(ActiveTechnique()->Kind) != 0;
    refresh(lpAll);
}

void LinkController::ChooseTechnique(int kind) {
    if (run_->LinkUp()) return;
    if (!machine_->SelectTechniqueByKind(kind)) return;
    announceTechnique();
    attachEvents();
    SetZeroRow();
    Technique* t = ActiveTechnique();
    applySide(t->OtherSide != 0);
    preview_.Even = JacquardColors(t->Kind) != 0;
    knitting_.Separation.Clear();
    knitting_.Separation.Build(ws_.Raster, ws_.Editor.GarmentMode);
    buttons_.WrongSideEnabled = true;
    applyKindButtons(true);
    if (t->Kind == tkFineLace) {
        // Fine lace is knitted with the right side facing only.
        applySide(false);
        buttons_.WrongSideEnabled = false;
    }
    rowCounterMax_ = RowCounterMaximum();
    machine_->SetRowRange(rowCounterMax_);
    run_->SetCarriageSide(mod2(RowCounter() + t->StartSide));
    bed_.ShowActiveNeedles = t->Kind == tkFineLace;
    DrawLine();
    refresh(lpAll);
}

void LinkController::ShowRowInfo() {
    const int r = std::max(0, DesignRow());
    const RowInfo& cur = knitting_.Rows[r];
    if (r > 0) {
        const RowInfo& prev = knitting_.Rows[r - 1];
        labels_.Label4 = std::to_string(int(prev.LeftNeedle) - int(cur.LeftNeedle));
        labels_.Label17 = std::to_string(int(cur.RightNeedle) - int(prev.RightNeedle));
    } else {
        labels_.Label4.clear();
        labels_.Label17.clear();
    }
    labels_.Label6 = std::to_string(cur.RowsWithoutChange);
    if (buttons_.WrongSideDown) std::swap(labels_.Label4, labels_.Label17);
}

void LinkController::DrawLine() {
    Technique* t = ActiveTechnique();
    const int rc = RowCounter();
    const int width = ws_.Raster.Width;
    const int r = DesignRow();
    if (r >= 0) {
        const RowInfo& cur = knitting_.Rows[r];
        // Row 0 has no row below it: its edges count from needle 0.
        int dl = cur.LeftNeedle, dr = cur.RightNeedle;
        if (r > 0) {
            const RowInfo& prev = knitting_.Rows[r - 1];
            dl = int(prev.LeftNeedle) - int(cur.LeftNeedle);
            dr = int(cur.RightNeedle) - int(prev.RightNeedle);
        }
        int left, right;
        if (ws_.Editor.GarmentMode) {
            labels_.Wide = std::to_string(std::abs(int(cur.RightNeedle) - int(cur.LeftNeedle) + 1));
            left = cur.LeftNeedle;
            right = cur.RightNeedle;
        } else {
            // Cams the adapter reported past a narrower pattern count up to its edge.
            left = std::clamp(bed_.LSPos, 0, std::max(0, width - 1));
            right = std::clamp(bed_.RSPos - 1, left, std::max(left, width - 1));
            labels_.Wide = std::to_string(right - left + 1);
        }
        ShowRowInfo();
        if (bed_.Mirrored) {
            labels_.LeftWorkStitch = FormatNeedleNumber(left, width);
            labels_.RightWorkStitch = FormatNeedleNumber(right, width);
        } else {
            labels_.RightWorkStitch = FormatNeedleNumberSwapped(left, width);
            labels_.LeftWorkStitch = FormatNeedleNumberSwapped(right, width);
        }
        if (dl != 0 || dr != 0) playEventSound(EventSound::NeedleCountChanged);
    }
    if (t && t->Kind == tkFineLace) {
        // The pass entry is trimmed on a copy: the table itself stays as built.
        std::array<uint8_t, 41> bits{};
        if (const PassEntry* e = t->GetPassEntry(rc)) {
            std::memcpy(bits.data(), e->Bits.data(), bits.size());
            run_->TrimData(bits.data());
        }
        bed_.SetActiveNeedles(bits.data());
    }
    const int shownRow = t ? t->PassToRow(rc) : rc;
    preview_.SetCurrentRow(shownRow);
    bed_.DrawRow(shownRow);
    // The instruction sheet follows the row counter.
    machine_->RowUpDown.Position = std::clamp(rc, machine_->RowUpDown.Min, machine_->RowUpDown.Max);
    if (t) {
        t->UpdateColors(rc);
        colorPanel_.ChangedColors = t->RowYarns & ~colorPanel_.ActiveColor & 0xFFFF;
        colorPanel_.CarrPosition = run_->CarriageSide();
        colorPanel_.ActiveColor = t->RowYarns;
        colorPanel_.Threads = t->PassYarns;
        colorPanel_.ThreadType = t->MarkedYarns;
        carriageSetting_ = t->GetCarriageSetting(rc);
    }
    refresh(lpLabels | lpNeedleBed | lpPreview | lpColorPanel | lpSetting | lpRowCounter | lpMachine);
}

int LinkController::CheckPicture() {
    const int bad = run_->CheckPicture();
    if (bad >= 0) {
        host_.postMessageBox(
            {ReplaceRowMark(ws_.UIText[utRowTooManyColors], bad), ws_.UIText[utErrorCaption], RunBoxIcon::Warning});
    }
    return bad;
}

void LinkController::showProgress(int value) {
    progress_ = value;
    if (view_) view_->progressMoved();
}

void LinkController::checkProgress(int row) {
    const auto now = clock_ ? clock_() : std::chrono::steady_clock::now();
    if (row > 0 && now - progressShown_ < kProgressStep) return;
    progressShown_ = now;
    showProgress(row);
}

void LinkController::checkEnded() { showProgress(0); }

void LinkController::SetZeroRow() {
    run_->SetZeroRow();
    machine_->RowUpDown.Position = 0;
    refresh(lpRowCounter | lpMachine);
}

void LinkController::EnableControls() {
    buttons_.ComboEnabled = !machine_->Techniques.empty();
    buttons_.RowCounterEnabled = true;
    refresh(lpButtons);
}

void LinkController::DisableControls() {
    buttons_.ComboEnabled = false;
    buttons_.RowCounterEnabled = false;
    refresh(lpButtons);
}

void LinkController::linkStateChanged(bool up) {
    if (up) DisableControls();
    else EnableControls();
    host_.linkStateChanged(up);
}

void LinkController::Start() {
    if (run_->state() == KnitRun::State::Starting) return; // Start is disabled during the start wait
    syncRunButtons();
    run_->Start();
    refresh(lpButtons);
}

void LinkController::Stop() {
    if (run_->LinkUp()) run_->Stop();
    refresh(lpButtons);
}

void LinkController::setRowCounter(int position) {
    run_->SetRowCounter(std::clamp(position, 0, std::max(0, rowCounterMax_)));
    machine_->RowUpDown.Position = std::clamp(RowCounter(), machine_->RowUpDown.Min, machine_->RowUpDown.Max);
}

void LinkController::StepRowCounter(int position) {
    if (run_->LinkUp()) return;
    setRowCounter(position);
    Technique* t = ActiveTechnique();
    run_->SetDesignRow(t ? t->PassToRow(RowCounter()) : RowCounter());
    run_->SetCarriageSide(mod2(RowCounter() + (t ? t->StartSide : 0)));
    DrawLine();
}

void LinkController::ZeroRowCounter() {
    if (run_->LinkUp()) return;
    SetZeroRow();
    DrawLine();
}

void LinkController::pickPreviewRow(int y, bool click) {
    int row = preview_.RowAt(y);
    if (row < 0) {
        if (!click) return; // a drag over no row changes nothing
        row = 0;
    }
    Technique* t = ActiveTechnique();
    run_->SetDesignRow(row);
    setRowCounter(t ? t->RowToPass(row) : row);
    run_->SetCarriageSide(mod2(RowCounter() + (t ? t->StartSide : 0)));
    DrawLine();
}

void LinkController::PreviewPressed(int y) {
    if (run_->LinkUp()) return;
    previewDrag_ = true;
    pickPreviewRow(y, true);
}

void LinkController::PreviewDragged(int y) {
    if (!previewDrag_ || run_->LinkUp()) return;
    pickPreviewRow(y, false);
}

void LinkController::PreviewReleased() { previewDrag_ = false; }

void LinkController::ScrollBed(int position) {
    scrollPos_ = std::clamp(position, 0, ScrollMax());
    // The bar's page is the number of needles shown.
    bed_.SetVisibleRange(scrollPos_, scrollPos_ + std::max(1, scrollPage_) - 1);
    refresh(lpScrollBar | lpNeedleBed);
}

void LinkController::ToolButtonClick(int tag) {
    const int width = bed_.PatternWidth();
    switch (tag) {
    case ltZoomIn:
    case ltZoomOut:
        // The bed shows its own width at divisor 1 (not a fixed 200 needles,
        // which a narrower pattern does not have and a wider one exceeds).
        zoom_ = tag == ltZoomIn ? std::min(5, zoom_ + 1) : std::max(1, zoom_ - 1);
        bed_.ZoomToCount(std::max(1, width / zoom_));
        break;
    case ltFitBed:
        bed_.FitCams();
        DrawLine();
        break;
    case ltRightSide:
        applySide(false);
        DrawLine();
        break;
    case ltWrongSide:
        if (!buttons_.WrongSideEnabled) break;
        applySide(true);
        DrawLine();
        break;
    case ltCheckDrawing:
        if (!run_->LinkUp()) CheckPicture();
        break;
    case ltViewPreview:
    case ltViewMachine:
        buttons_.View = tag;
        refresh(lpButtons);
        break;
    case ltViewProtocol:
        if (buttons_.ProtocolButtonVisible) buttons_.View = tag;
        refresh(lpButtons);
        break;
    case ltCamsToGarment:
        bed_.SetCams(knitting_.Rows.GarmentLeft, knitting_.Rows.GarmentRight);
        bed_.FitCams();
        DrawLine();
        break;
    case ltCamsToRow: {
        const RowInfo& row = knitting_.Rows[std::max(0, DesignRow())];
        bed_.SetCams(row.LeftNeedle, row.RightNeedle);
        DrawLine();
        break;
    }
    case ltDiscretCorrection:
    case ltNoDiscretCorrection:
        buttons_.DiscretCorrectionDown = tag == ltDiscretCorrection;
        Preparation();
        refresh(lpButtons);
        break;
    case ltNoTrimMask:
        if (buttons_.NoTrimMaskEnabled) buttons_.TrimMaskDown = false;
        syncRunButtons();
        refresh(lpButtons);
        break;
    case ltTrimMask:
        buttons_.TrimMaskDown = true;
        syncRunButtons();
        refresh(lpButtons);
        break;
    default: break;
    }
}

// A cam's needle shown in its increase/decrease label while it is held, and
// in its needles-in-work label when no garment sets those.
void LinkController::showCam(bool right, int needle) {
    const int width = ws_.Raster.Width;
    (right ? labels_.Label17 : labels_.Label4) = FormatNeedleNumber(needle, width);
    if (!ws_.Editor.GarmentMode) {
        const int first = std::clamp(bed_.LSPos, 0, std::max(0, width - 1));
        const int last = std::clamp(bed_.RSPos - 1, first, std::max(first, width - 1));
        labels_.Wide = std::to_string(last - first + 1);
        (right ? labels_.RightWorkStitch : labels_.LeftWorkStitch) = FormatNeedleNumber(needle, width);
    }
    refresh(lpLabels);
}

void LinkController::camGrabbed(bool rightCam, int needle) {
    // The label goes back to what it said when the cam is let go.
    savedLabel_ = rightCam ? labels_.Label17 : labels_.Label4;
    showCam(rightCam, needle);
}

void LinkController::camStepped(bool rightCam, int needle) { showCam(rightCam, needle); }

void LinkController::camDropped(bool rightCam) {
    (rightCam ? labels_.Label17 : labels_.Label4) = savedLabel_;
    run_->SendCamPacket(); // only while knitting
    refresh(lpLabels);
}

void LinkController::bedScrolled(int first, int end) {
    scrollPage_ = std::max(1, end - first);
    scrollPos_ = first;
    refresh(lpScrollBar);
}

void LinkController::rowCounterChanged(int position) {
    // The sheet's up-down may be looked through during a run, but the row
    // counter is the run's.
    if (run_->LinkUp()) return;
    setRowCounter(position);
    run_->SetDesignRow(ActiveTechnique() ? ActiveTechnique()->PassToRow(RowCounter()) : RowCounter());
    DrawLine();
}

} // namespace lc

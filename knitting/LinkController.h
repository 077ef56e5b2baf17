#pragma once
// The Link page's engine: everything LinkPage decides, without a widget. It
// owns the machine panel's engine (the seventeen techniques), the needle bed,
// the preview and yarn panel models and the knitting run, and keeps the page's
// state (buttons, row counter range, the texts of the row labels). The window
// class (knitting/ui/LinkPage.h) shows that state and forwards its events.
//
// It stands between the run and the page's host: the run's timers, log lines
// and message boxes go on to the host given at construction; its link changes
// and redraws come here first. The needle bed and the machine panel call it
// directly (LinkPanelEvents); what the other pages must hear (the current
// technique, the event sounds) goes to the main window through PageLinks.
//
// It owns the knitting state (row table, colour separation, colour order) that
// its techniques, the run's technique adapter and the yarn panel share, and
// reads the pattern, the garment mode, the settings and the texts of the
// workspace it is given.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/PageLinks.h"
#include "core/Workspace.h"
#include "knitting/KnitRun.h"
#include "knitting/KnitRunTypes.h"
#include "knitting/KnitMachine.h"
#include "knitting/KnitState.h"
#include "knitting/LinkPanelEvents.h"
#include "knitting/NeedleBedModel.h"
#include "knitting/PreviewModel.h"
#include "knitting/TechniqueAdapter.h"

namespace lc {

// Tool button tags of the page.
enum LinkTool : int {
    ltZoomIn = 10,
    ltZoomOut = 11,
    ltFitBed = 12,
    ltRightSide = 21,
    ltWrongSide = 22,
    ltCheckDrawing = 23,
    ltViewPreview = 31,
    ltViewMachine = 32,
    ltViewProtocol = 33,
    ltCamsToGarment = 40,
    ltCamsToRow = 41,
    ltDiscretCorrection = 60,
    ltNoDiscretCorrection = 61,
    ltNoTrimMask = 63,
    ltTrimMask = 64,
};

// What the page shows changed; the window refreshes those parts (coalesced).
enum LinkPart : unsigned {
    lpLabels = 1u << 0,     // the edge and needles-in-work labels
    lpButtons = 1u << 1,    // button states, lamp, Start/Stop, enabled controls
    lpRowCounter = 1u << 2, // the row counter's value and range
    lpNeedleBed = 1u << 3,
    lpPreview = 1u << 4,
    lpColorPanel = 1u << 5,
    lpSetting = 1u << 6,   // the carriage-setting line
    lpMachine = 1u << 7,   // the instruction sheet
    lpScrollBar = 1u << 8, // the bar under the needle bed
    lpProgress = 1u << 9,
    lpTechnique = 1u << 10, // the technique box's selection
    lpAll = 0xFFFFFFFFu,
};

class ILinkView {
public:
    virtual ~ILinkView() = default;
    // Called on the GUI thread, possibly from inside the adapter's byte
    // handler: the view must only schedule repaints, never paint here.
    virtual void refresh(unsigned parts) = 0;
    // The drawing check moved the progress read-out (Progress()). The check
    // holds the GUI thread until it ends and never runs inside the byte
    // handler, so a view may show the value at once.
    virtual void progressMoved() { refresh(lpProgress); }
};

struct LinkButtons {
    bool RightSideDown = true;
    bool WrongSideDown = false;
    bool WrongSideEnabled = true;
    bool TrimMaskDown = true; // btnTrimMask: the edge needles are forced
    bool NoTrimMaskEnabled = true;
    bool DiscretCorrectionDown = false;
    int View = ltViewPreview; // 31, 32 or 33
    bool ProtocolButtonVisible = false;
    bool ComboEnabled = true;
    bool RowCounterEnabled = true;
};

struct LinkLabels {
    std::string Label4;  // increase/decrease on the left
    std::string Label6;  // rows without change
    std::string Label17; // increase/decrease on the right
    std::string LeftWorkStitch;
    std::string Wide;
    std::string RightWorkStitch;
};

class LinkController : public IKnitRunHost, public LinkPanelEvents {
public:
    // The run opens its port on `serial`; `host` gets the run's timers, log
    // lines and message boxes; `links` (may be null) the technique changes and
    // the event sounds. The page fills ws.TechniqueList when it is created.
    LinkController(Workspace& ws, SerialLink& serial, IKnitRunHost& host, ILinkView* view = nullptr,
                   PageLinks* links = nullptr);
    ~LinkController() override;
    LinkController(const LinkController&) = delete;
    LinkController& operator=(const LinkController&) = delete;

    void SetView(ILinkView* view) { view_ = view; }

    // --- the page's operations
    void FormCreate();
    void OnShowForm();
    void DrawLine();
    void ShowRowInfo();
    // The first design row with more colours than the technique allows, reported
    // in a box (slot 23, caption slot 28), or -1 when every row passes.
    int CheckPicture();
    void SetZeroRow();
    void EnableControls();
    void DisableControls();
    void Preparation();

    // --- events
    void Start(); // Shape3MouseUp
    void Stop();  // Shape2MouseUp
    // ComboBox2Change: the technique of this kind becomes current (ignored while knitting).
    void ChooseTechnique(int kind);
    void StepRowCounter(int position);
    void ZeroRowCounter();
    void ToolButtonClick(int tag);
    void ScrollBed(int position);
    void PreviewPressed(int y);
    void PreviewDragged(int y);
    void PreviewReleased();

    // --- LinkPanelEvents (the needle bed and the machine panel)
    void camGrabbed(bool rightCam, int needle) override;
    void camStepped(bool rightCam, int needle) override;
    void camDropped(bool rightCam) override;
    void bedScrolled(int first, int end) override;
    void rowCounterChanged(int position) override;

    // --- IKnitRunHost (the run's view of the page)
    void armWatchdog(int ms) override { host_.armWatchdog(ms); }
    void stopWatchdog() override { host_.stopWatchdog(); }
    void startEmulator() override { host_.startEmulator(); }
    void stopEmulator() override { host_.stopEmulator(); }
    void armStartDelay(int ms) override { host_.armStartDelay(ms); }
    void cancelStartDelay() override { host_.cancelStartDelay(); }
    void appendProtocol(const std::string& line) override { host_.appendProtocol(line); }
    void clearProtocol() override { host_.clearProtocol(); }
    void postMessageBox(const RunMessageBox& box) override { host_.postMessageBox(box); }
    void linkStateChanged(bool up) override;
    void drawLine() override { DrawLine(); }
    ISerialSink* serialSink() override { return host_.serialSink(); }
    // The drawing check's rows move the progress read-out, at most every few
    // milliseconds of checking; its end sets it back to 0.
    void checkProgress(int row) override;
    void checkEnded() override;

    // --- state
    KnitState& KnitData() { return knitting_; }
    const KnitState& KnitData() const { return knitting_; }
    KnitMachine& Machine() { return *machine_; }
    Technique* ActiveTechnique() const { return machine_->CurrentTechnique; }
    NeedleBedModel& Bed() { return bed_; }
    PreviewModel& Preview() { return preview_; }
    const ColorInstruction& ColorPanel() const { return colorPanel_; }
    const std::string& CarriageSetting() const { return carriageSetting_; }
    KnitRun& Run() { return *run_; }
    TechniqueAdapter& Source() { return source_; }
    const LinkButtons& Buttons() const { return buttons_; }
    const LinkLabels& Labels() const { return labels_; }
    int RowCounter() const { return run_->RowCounter(); }
    int RowCounterMax() const { return rowCounterMax_; }
    int DesignRow() const { return run_->DesignRow(); }
    int ZoomDivisor() const { return zoom_; }
    int Progress() const { return progress_; }
    int ProgressMax() const;
    // The clock that paces the progress read-out (tests step it by hand).
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void SetProgressClock(Clock clock) { clock_ = std::move(clock); }
    // The bar under the needle bed.
    int ScrollPosition() const { return scrollPos_; }
    int ScrollPage() const { return scrollPage_; }
    int ScrollMax() const;

    // The row counter's range for the current technique and pattern: the
    // technique's pass count when it has a table, else the design rows (the
    // garment's with one laid) times the passes per row.
    int RowCounterMaximum() const;
    // The panel heights of the page for a frame height H.
    static int BedPanelHeight(int frameHeight);

private:
    void refresh(unsigned parts);
    void attachEvents();
    void playEventSound(EventSound sound);
    void announceTechnique();
    void applySide(bool wrongSide);
    void applyKindButtons(bool spread);
    void setRowCounter(int position);
    void pickPreviewRow(int y, bool click);
    void showCam(bool right, int needle);
    void syncRunButtons();
    void showProgress(int value);

    Workspace& ws_;
    IKnitRunHost& host_;
    ILinkView* view_ = nullptr;
    PageLinks* links_ = nullptr;
    KnitState knitting_;
    std::unique_ptr<KnitMachine> machine_;
    NeedleBedModel bed_;
    PreviewModel preview_;
    ColorInstruction colorPanel_;
    std::string carriageSetting_;
    TechniqueAdapter source_;
    NeedleBedCams cams_;
    std::unique_ptr<KnitRun> run_;

    LinkButtons buttons_;
    LinkLabels labels_;
    std::string savedLabel_;
    int rowCounterMax_ = 2047;
    int zoom_ = 3;
    bool previewDrag_ = false;
    int progress_ = 0;
    Clock clock_;
    std::chrono::steady_clock::time_point progressShown_{};
    int scrollPos_ = 0;
    int scrollPage_ = 50;
    bool created_ = false;
};

} // namespace lc

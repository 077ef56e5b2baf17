// The Link page's engine: technique choice, row counter ranges and guards, the
// needle labels, the cam calls, the drawing check and whole emulator runs.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "KnitTestUtil.h"
#include "PtyAdapter.h"
#include "knitting/FineLace.h"
#include "knitting/LinkController.h"
#include "knitting/RowTable.h"
#include "knitting/ColourSeparation.h"
#include "knitting/SerialLink.h"

using namespace lc;
using namespace lc::test;

namespace {

struct FakeHost : IKnitRunHost {
    std::vector<std::string> log;
    std::vector<RunMessageBox> boxes;
    std::vector<bool> links;
    int watchdogArmed = 0, startDelays = 0;
    bool emulatorOn = false;
    ISerialSink* sink = nullptr;
    void armWatchdog(int) override { ++watchdogArmed; }
    void stopWatchdog() override {}
    void startEmulator() override { emulatorOn = true; }
    void stopEmulator() override { emulatorOn = false; }
    void armStartDelay(int) override { ++startDelays; }
    void cancelStartDelay() override {}
    void appendProtocol(const std::string& line) override { log.push_back(line); }
    void clearProtocol() override { log.clear(); }
    void postMessageBox(const RunMessageBox& box) override { boxes.push_back(box); }
    void linkStateChanged(bool up) override { links.push_back(up); }
    void drawLine() override {}
    ISerialSink* serialSink() override { return sink; }
};

// The main window as the page sees it: the event sounds and the technique names.
struct Links : PageLinks {
    std::vector<EventSound> played;
    std::vector<std::string> techniques;
    void playEventSound(EventSound sound) override { played.push_back(sound); }
    void techniqueChanged(const std::string& name) override { techniques.push_back(name); }
    void cancelTool() override {}
    void insertPattern() override {}
    void insertConverted() override {}
    void garmentModeReleased() override {}
    void garmentMaskChanged() override {}
    void writeGarmentToModel(int) override {}
    void readGarmentFromModel(int) override {}
    void showModelDrawing(const ModelFile&, int) override {}
    int count(EventSound sound) const { return static_cast<int>(std::count(played.begin(), played.end(), sound)); }
};

struct Views : ILinkView {
    unsigned parts = 0;
    std::function<void()> onProgress;
    void refresh(unsigned p) override { parts |= p; }
    void progressMoved() override {
        if (onProgress) onProgress();
    }
};

struct LinkFixture : ::testing::Test {
    PatternFixture pattern{200, 1024, 0};
    Workspace& ws = pattern.ws;
    SerialLink serial;
    FakeHost host;
    Links links;
    Views view;
    std::unique_ptr<LinkController> page;

    void SetUp() override {
        ws.MachineList = MachineModels();
        SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine);
        make();
    }
    void TearDown() override { page.reset(); }
    void make() {
        page.reset();
        page = std::make_unique<LinkController>(ws, serial, host, &view, &links);
        page->FormCreate();
        page->OnShowForm();
    }
    // Starts an emulator run past the start wait.
    void startEmulator() {
        ws.Settings.SoftEmulator = 1;
        page->Start();
        ASSERT_EQ(page->Run().state(), KnitRun::State::Starting);
        page->Run().onStartDelayElapsed();
        ASSERT_TRUE(page->Run().Running());
    }
    void tick(int n) {
        for (int i = 0; i < n && page->Run().Running(); ++i) page->Run().onEmulatorTick();
    }
};

} // namespace

TEST_F(LinkFixture, CreationFillsTheTechniqueListAndTakesFairIslesSide) {
    ASSERT_EQ(ws.TechniqueList.size(), 17u);
    EXPECT_EQ(ws.TechniqueList.front(), "Fair Isle=1");
    EXPECT_EQ(ws.TechniqueList.back().substr(ws.TechniqueList.back().find('=')), "=131072");
    // The main window hears the current technique, for the Drawing page's status bar.
    EXPECT_EQ(links.techniques, std::vector<std::string>{"Fair Isle"});
    EXPECT_EQ(page->ActiveTechnique()->Kind, tkFairisle);
    EXPECT_TRUE(page->Buttons().RightSideDown);
    EXPECT_FALSE(page->Buttons().WrongSideDown);
    EXPECT_TRUE(page->Bed().Mirrored);
    EXPECT_TRUE(page->Preview().Mirror);
    EXPECT_TRUE(page->Buttons().TrimMaskDown);
    EXPECT_FALSE(page->Buttons().ProtocolButtonVisible);
    EXPECT_TRUE(page->Buttons().ComboEnabled);
    EXPECT_EQ(page->ZoomDivisor(), 3);

    // Weaving is knitted from the wrong side.
    page->ChooseTechnique(tkWeaving);
    EXPECT_EQ(links.techniques.back(), page->ActiveTechnique()->Name);
    EXPECT_TRUE(page->Buttons().WrongSideDown);
    EXPECT_FALSE(page->Bed().Mirrored);
    EXPECT_TRUE(page->Run().WrongSide());
}

TEST_F(LinkFixture, RowCounterRangeFollowsTheTechniquesPasses) {
    EXPECT_EQ(page->RowCounterMax(), 1024);
    page->ChooseTechnique(tkJacquard2C);
    EXPECT_EQ(page->RowCounterMax(), 2048);
    EXPECT_TRUE(page->Preview().Even);
    page->ChooseTechnique(tkJacquard3C);
    EXPECT_EQ(page->RowCounterMax(), 3072);
    EXPECT_EQ(page->Machine().RowUpDown.Max, 3072); // the sheet can show every pass

    // Fine lace counts the entries of its pass table.
    pattern.setSpan(0, 10, 12, 14);
    page->ChooseTechnique(tkFineLace);
    const int passes = page->ActiveTechnique()->PassCount();
    EXPECT_GT(passes, 1024);
    EXPECT_EQ(page->RowCounterMax(), passes);

    // With a garment laid, its rows.
    page->ChooseTechnique(tkFairisle);
    ws.Editor.GarmentMode = true;
    pattern.g.GarmentRows = 300;
    pattern.g.GarmentWidth = 200;
    page->OnShowForm();
    EXPECT_EQ(page->RowCounterMax(), 300);
}

TEST_F(LinkFixture, RowControlsNeverIndexPastTheRowTable) {
    pattern.g.SetSize(200, 10);
    page->OnShowForm();
    EXPECT_EQ(page->RowCounterMax(), 10);

    // The sheet's up-down reports any position up to 2047.
    page->rowCounterChanged(2047);
    EXPECT_EQ(page->RowCounter(), 10);
    EXPECT_LE(page->DesignRow(), 10);
    page->rowCounterChanged(-5);
    EXPECT_EQ(page->RowCounter(), 0);

    page->StepRowCounter(5000);
    EXPECT_EQ(page->RowCounter(), 10);
    page->StepRowCounter(3);
    EXPECT_EQ(page->RowCounter(), 3);
    EXPECT_EQ(page->DesignRow(), 3);
    EXPECT_EQ(page->Run().CarriageSide(), 1);
    EXPECT_EQ(page->Machine().RowUpDown.Position, 3);

    // A shorter pattern brings a counter beyond its end back to 0.
    page->StepRowCounter(9);
    pattern.g.SetSize(200, 5);
    page->OnShowForm();
    EXPECT_EQ(page->RowCounter(), 0);
    EXPECT_EQ(page->DesignRow(), 0);
}

TEST_F(LinkFixture, RowControlsAreLockedWhileTheLinkIsUp) {
    page->StepRowCounter(4);
    startEmulator();
    page->ZeroRowCounter();
    page->StepRowCounter(9);
    page->rowCounterChanged(7);
    page->PreviewPressed(300);
    page->ChooseTechnique(tkLace);
    EXPECT_EQ(page->RowCounter(), 4);
    EXPECT_EQ(page->ActiveTechnique()->Kind, tkFairisle);
    EXPECT_FALSE(page->Buttons().ComboEnabled);
    EXPECT_FALSE(page->Buttons().RowCounterEnabled);
    page->Stop();
    EXPECT_FALSE(page->Run().LinkUp());
    EXPECT_TRUE(page->Buttons().ComboEnabled);
    EXPECT_TRUE(page->Buttons().RowCounterEnabled);
    page->ZeroRowCounter();
    EXPECT_EQ(page->RowCounter(), 0);
}

TEST_F(LinkFixture, NeedleLabelsFollowTheSideFacingTheUser) {
    page->Bed().SetCams(20, 180);
    page->DrawLine();
    EXPECT_EQ(page->Labels().LeftWorkStitch, "L80");
    EXPECT_EQ(page->Labels().RightWorkStitch, "R81");
    EXPECT_EQ(page->Labels().Wide, "161");
    page->ToolButtonClick(ltWrongSide);
    EXPECT_EQ(page->Labels().LeftWorkStitch, "L81");
    EXPECT_EQ(page->Labels().RightWorkStitch, "R80");
    EXPECT_TRUE(page->Run().WrongSide());
    page->ToolButtonClick(ltRightSide);
    EXPECT_EQ(page->Labels().LeftWorkStitch, "L80");
    EXPECT_FALSE(page->Run().WrongSide());
}

TEST_F(LinkFixture, EdgeLabelsShowTheGarmentsIncreasesAndDecreases) {
    ws.Editor.GarmentMode = true;
    pattern.g.GarmentRows = 30;
    pattern.g.GarmentWidth = 200;
    // Rows 0..9 span mask cells 40..159, rows 10.. span 38..163.
    for (int r = 0; r < 1024; ++r)
        for (int x = 0; x < 200; ++x) {
            const bool in = r < 10 ? (x >= 40 && x < 160) : (x >= 38 && x < 164);
            pattern.g.Mask.line(r)[x] = in ? kMaskInside : kMaskOutside;
        }
    page->OnShowForm();
    links.played.clear();
    page->StepRowCounter(0);
    EXPECT_EQ(page->Labels().Label4, "");
    EXPECT_EQ(page->Labels().Label6, "10");
    // Row 0's edges count from needle 0: casting on 120 needles is a change.
    EXPECT_EQ(links.count(EventSound::NeedleCountChanged), 1);
    page->StepRowCounter(5); // the same edges as the row below: no sound
    EXPECT_EQ(links.count(EventSound::NeedleCountChanged), 1);
    page->StepRowCounter(10);
    // The mask counts its needles from the right-hand end: left edge 40 -> 36, right 159 -> 161.
    EXPECT_EQ(page->Labels().Label4, "4");
    EXPECT_EQ(page->Labels().Label17, "2");
    EXPECT_EQ(page->Labels().Label6, "20");
    EXPECT_EQ(page->Labels().Wide, "126");
    EXPECT_EQ(links.count(EventSound::NeedleCountChanged), 2);
    page->ToolButtonClick(ltWrongSide);
    EXPECT_EQ(page->Labels().Label4, "2");
    EXPECT_EQ(page->Labels().Label17, "4");

    // The cams go to the garment's widest needles, always on the bed.
    page->ToolButtonClick(ltCamsToGarment);
    EXPECT_EQ(page->Bed().RSPos - page->Bed().LSPos, 126);
    EXPECT_LE(page->Bed().RSPos, 200);
}

TEST_F(LinkFixture, ZoomStepsThroughTheDivisorsAndStaysOnTheBed) {
    page->ToolButtonClick(ltZoomIn);
    EXPECT_EQ(page->Bed().VisibleCount(), 50);
    page->ToolButtonClick(ltZoomIn);
    EXPECT_EQ(page->Bed().VisibleCount(), 40);
    page->ToolButtonClick(ltZoomIn);
    EXPECT_EQ(page->Bed().VisibleCount(), 40);
    make();
    page->ToolButtonClick(ltZoomOut);
    EXPECT_EQ(page->Bed().VisibleCount(), 100);
    page->ToolButtonClick(ltZoomOut);
    EXPECT_EQ(page->Bed().VisibleCount(), 200);
    page->ToolButtonClick(ltZoomOut);
    EXPECT_EQ(page->Bed().VisibleCount(), 200);

    // A 150-needle pattern is shown whole, never from needle -25.
    pattern.g.SetSize(150, 100);
    page->OnShowForm();
    page->ToolButtonClick(ltZoomOut);
    EXPECT_EQ(page->Bed().FirstVisible(), 0);
    EXPECT_EQ(page->Bed().EndVisible(), 150);
    // The scroll bar under the bed follows and reaches the last needle.
    page->ToolButtonClick(ltZoomIn);
    page->ToolButtonClick(ltZoomIn);
    EXPECT_EQ(page->ScrollPage(), 50);
    page->ScrollBed(page->ScrollMax());
    EXPECT_EQ(page->Bed().EndVisible(), 150);
    EXPECT_EQ(page->Bed().VisibleCount(), 50);
}

TEST_F(LinkFixture, PanelHeightsFollowTheFrame) {
    EXPECT_EQ(LinkController::BedPanelHeight(399), 310);
    EXPECT_EQ(LinkController::BedPanelHeight(400), 310);
    EXPECT_EQ(LinkController::BedPanelHeight(600), 400);
    EXPECT_EQ(LinkController::BedPanelHeight(601), 361);
}

TEST_F(LinkFixture, FineLaceForcesTheRightSideAndTheTrim) {
    page->ToolButtonClick(ltNoTrimMask);
    EXPECT_FALSE(page->Buttons().TrimMaskDown);
    page->ChooseTechnique(tkFineLace);
    EXPECT_TRUE(page->Buttons().RightSideDown);
    EXPECT_FALSE(page->Buttons().WrongSideEnabled);
    EXPECT_FALSE(page->Buttons().NoTrimMaskEnabled);
    EXPECT_TRUE(page->Buttons().TrimMaskDown);
    EXPECT_TRUE(page->Bed().ShowActiveNeedles);
    page->ToolButtonClick(ltWrongSide); // disabled
    EXPECT_TRUE(page->Bed().Mirrored);
    page->ToolButtonClick(ltNoTrimMask); // disabled
    EXPECT_TRUE(page->Run().TrimEdges());
    page->ChooseTechnique(tkFairisle);
    EXPECT_TRUE(page->Buttons().WrongSideEnabled);
    EXPECT_TRUE(page->Buttons().NoTrimMaskEnabled);
    EXPECT_FALSE(page->Bed().ShowActiveNeedles);
}

TEST_F(LinkFixture, FineLaceShowsTheTrimmedPassWithoutChangingTheTable) {
    pattern.setSpan(0, 0, 3, 14); // lace cells on the edge needles
    page->ChooseTechnique(tkFineLace);
    auto* lace = static_cast<FineLace*>(page->ActiveTechnique());
    ASSERT_GT(lace->PassCount(), 0);
    const auto before = lace->GetPassEntry(0)->Bits;
    ASSERT_TRUE(TestNeedleBit(before.data(), 0));
    page->DrawLine();
    page->DrawLine();
    EXPECT_EQ(lace->GetPassEntry(0)->Bits, before);
    // Edge mode 2 with value 0 clears the two needles at each end on the display.
    const auto& shown = page->Bed().ActiveNeedles();
    EXPECT_FALSE(TestNeedleBit(shown.data(), 0));
    EXPECT_FALSE(TestNeedleBit(shown.data(), 1));
}

TEST_F(LinkFixture, CheckDrawingNamesTheFirstRowWithTooManyColours) {
    for (int r = 0; r < 5; ++r) pattern.setSpan(r, 0, 9, 1);
    pattern.setSpan(5, 0, 9, 1);
    pattern.setSpan(5, 10, 19, 2);
    pattern.setSpan(7, 0, 9, 1);
    pattern.setSpan(7, 10, 19, 2);
    page->OnShowForm();
    EXPECT_EQ(page->CheckPicture(), 5);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Row 5 has more colors than you can use for this technique.");
    EXPECT_EQ(host.boxes[0].caption, "ERROR!");
    EXPECT_EQ(page->Progress(), 0);

    // Start refuses the drawing before anything is knitted.
    ws.Settings.SoftEmulator = 1;
    page->Start();
    EXPECT_FALSE(page->Run().LinkUp());
    EXPECT_EQ(host.boxes.size(), 2u);

    // A tuck pattern breaking only the tuck rule is not reported.
    host.boxes.clear();
    pattern.g.SetSize(200, 20);  // a clean pattern
    pattern.setSpan(3, 0, 4, 1); // five tucks side by side
    page->OnShowForm();
    page->ChooseTechnique(tkTuckStitch);
    page->ToolButtonClick(ltCheckDrawing);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LinkFixture, CheckDrawingMovesTheProgressReadOutEveryFewMilliseconds) {
    // Each row takes a millisecond of checking.
    auto now = std::chrono::steady_clock::time_point{};
    page->SetProgressClock([&] { return now += std::chrono::milliseconds(1); });
    std::vector<int> shown;
    view.onProgress = [&] { shown.push_back(page->Progress()); };

    EXPECT_EQ(page->CheckPicture(), -1);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.front(), 0);
    EXPECT_EQ(shown.back(), 0); // back at 0 when the check is over
    // In between it climbs the rows, never twice within 10 ms, up to the top.
    for (size_t i = 2; i + 1 < shown.size(); ++i) EXPECT_GE(shown[i] - shown[i - 1], 10) << i;
    EXPECT_GE(shown[shown.size() - 2], 1024 - 10);
    EXPECT_LT(shown[shown.size() - 2], 1024);

    // With no time passing only the start and the end are shown.
    shown.clear();
    page->SetProgressClock([&] { return now; });
    page->CheckPicture();
    EXPECT_EQ(shown, (std::vector<int>{0, 0}));
}

TEST_F(LinkFixture, PreviewClicksPickRowsAndPassesOfTheTechnique) {
    page->ChooseTechnique(tkJacquard2C);
    pattern.g.SetSize(200, 100);
    page->OnShowForm();
    page->Preview().ClientWidth = 280;
    page->Preview().ClientHeight = 380;
    page->PreviewPressed(263); // rounds to row 5
    EXPECT_EQ(page->DesignRow(), 4);
    EXPECT_EQ(page->RowCounter(), 8);
    page->PreviewDragged(5); // above the rows: nothing changes
    EXPECT_EQ(page->RowCounter(), 8);
    page->PreviewReleased();
    page->PreviewPressed(5); // a click there counts as row 0
    EXPECT_EQ(page->RowCounter(), 0);
}

TEST_F(LinkFixture, ColoursAndSettingOfTheCurrentPassReachThePanels) {
    pattern.setRow(0, 3);
    pattern.set(5, 0, 7);
    page->OnShowForm();
    links.played.clear();
    page->StepRowCounter(0);
    EXPECT_EQ(page->ColorPanel().ActiveColor, colors({3, 7}));
    EXPECT_EQ(page->ColorPanel().Threads, colors({3, 7}));
    EXPECT_EQ(page->CarriageSetting(), "Z F");
    page->StepRowCounter(1); // colour 0 only: the new colour is marked
    EXPECT_EQ(page->ColorPanel().ActiveColor, colors({0}));
    EXPECT_EQ(page->ColorPanel().ChangedColors, colors({0}));
    EXPECT_EQ(page->CarriageSetting(), "Z O ");
    EXPECT_GE(links.count(EventSound::CarriageSettingChanged), 1);
    EXPECT_GE(links.count(EventSound::ColourChanged), 1);
    EXPECT_EQ(page->ColorPanel().AllColorsInPic, colors({0, 3, 7}));
    EXPECT_NE(view.parts & lpColorPanel, 0u);
}

TEST_F(LinkFixture, EmulatorRunGoesToTheEndWithTheSuccessBox) {
    pattern.g.SetSize(200, 10);
    page->OnShowForm();
    ws.Settings.ViewProtocol = 1;
    startEmulator();
    EXPECT_TRUE(host.emulatorOn);
    EXPECT_EQ(host.links.back(), true);
    tick(196);
    // One cycle: five passes knitted, the cams at 49..148, the carriage on the right.
    EXPECT_EQ(page->RowCounter(), 5);
    EXPECT_EQ(page->Run().PassCounter(), 7u);
    EXPECT_EQ(page->Bed().LSPos, 49);
    EXPECT_EQ(page->Bed().RSPos, 149);
    EXPECT_EQ(page->Run().CarriageSide(), 1);
    EXPECT_EQ(page->DesignRow(), 5);
    EXPECT_EQ(page->Bed().Row(), 5);
    EXPECT_EQ(page->Preview().MarkedRow(), 5);
    EXPECT_EQ(page->Machine().RowUpDown.Position, 5);
    EXPECT_EQ(page->Labels().LeftWorkStitch, "L51");
    tick(400);
    EXPECT_FALSE(page->Run().LinkUp());
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().text, "Your knitting was successfully finished");
    EXPECT_EQ(host.boxes.back().caption, "Out of Data!");
    EXPECT_EQ(page->RowCounter(), 0);
    EXPECT_EQ(host.links.back(), false);
    EXPECT_TRUE(page->Buttons().ComboEnabled);
}

TEST_F(LinkFixture, JacquardOnAnOddRowCountKnitsTheLastRowsPassesBeforeTheSuccessBox) {
    // Five rows: the last cycle maps a pass to the sixth (nonexistent) row
    // before row 4's own last passes; the run must go on to those.
    struct Case {
        int kind;
        int knittedReports; // passes reported knitted when the success box comes
    } cases[] = {{tkJacquard3C, 16}, {tkJacquard4C, 22}, {tkJacquard2C, 10}};
    pattern.g.SetSize(200, 5);
    ws.Settings.ViewProtocol = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        page->ChooseTechnique(c.kind);
        page->OnShowForm();
        host.boxes.clear();
        startEmulator();
        host.log.clear();
        tick(196 * 6);
        EXPECT_FALSE(page->Run().LinkUp());
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Your knitting was successfully finished");
        const auto knitted = std::count_if(host.log.begin(), host.log.end(),
                                           [](const std::string& l) { return l.rfind("AD--> 08 15", 0) == 0; });
        EXPECT_EQ(knitted, c.knittedReports);
    }
}

TEST_F(LinkFixture, ShowingThePageMidRunKeepsTheRunsPlace) {
    pattern.g.SetSize(200, 50);
    page->OnShowForm();
    startEmulator();
    tick(196);
    ASSERT_EQ(page->RowCounter(), 5);
    page->OnShowForm();
    EXPECT_EQ(page->RowCounter(), 5);
    EXPECT_EQ(page->Run().PassCounter(), 7u);
    EXPECT_TRUE(page->Run().Running());
    page->Stop();
}

TEST_F(LinkFixture, DroppingACamMidRunSendsThePointCams) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    QueueSink sink{serial};
    host.sink = &sink;
    ws.Settings.SoftEmulator = 0;
    ws.Settings.ProtocolType = 1;
    ws.Settings.ACOMPort = pty.path();
    page->Start();
    ASSERT_TRUE(page->Run().Running());
    pty.drain(50);
    // The left cam to needle 30 with the right one at 199.
    page->Bed().FitCams();
    page->camGrabbed(false, page->Bed().LSPos);
    EXPECT_TRUE(pty.drain(50).empty()); // a grab alone sends nothing
    for (int i = 0; i < 30; ++i) page->Bed().StepLeftCam(1);
    page->camDropped(false);
    EXPECT_EQ(pty.read(4), (Bytes{0x02, 0x1E, 0xC7, 0xFD}));
    EXPECT_EQ(page->Labels().LeftWorkStitch, "L70");
    page->Stop();
    EXPECT_TRUE(pty.sawHangUp());
}

namespace {

// The page on a pseudo-terminal: the adapter's bytes reach the run one per
// call, the way the GUI thread hands them over.
struct PtyLink {
    LinkFixture& f;
    PtyAdapter pty;
    QueueSink sink{f.serial};

    explicit PtyLink(LinkFixture& fixture) : f(fixture) {}
    void start() {
        ASSERT_TRUE(pty.ok());
        f.host.sink = &sink;
        f.ws.Settings.SoftEmulator = 0;
        f.ws.Settings.ACOMPort = pty.path();
        f.page->Start();
        ASSERT_EQ(f.page->Run().state(), KnitRun::State::Starting);
        f.page->Run().onStartDelayElapsed();
        ASSERT_EQ(pty.read(4), (Bytes{0x07, 0xF8, 0x00, 0xFF}));
    }
    void adapter(const Bytes& bytes) {
        const size_t target = sink.received() + bytes.size();
        ASSERT_TRUE(pty.send(bytes));
        sink.pumpUntil(target, [this](uint8_t b) { f.page->Run().ComDataReceived(&b, 1); });
    }
};

Bytes passOf(std::initializer_list<int> needles) {
    Bytes p(34, 0);
    p[0] = 0x01;
    p[33] = 0xFE;
    for (int n : needles) p[1 + n / 8] |= static_cast<uint8_t>(0x80 >> (n % 8));
    return p;
}

} // namespace

TEST_F(LinkFixture, CamsTakeTheWholePatternAndTheAdaptersOwnCamsComeBackUnchanged) {
    // A new page on the SK-830 with a 250-needle pattern: before any knitted
    // report the pass selects the pattern's end needles and the cams are 0..249.
    SelectCurrentMachine(ws.MachineList, 103, ws.CurrentMachine);
    pattern.g.SetSize(250, 1024);
    make();
    EXPECT_EQ(page->Bed().LSPos, 0);
    EXPECT_EQ(page->Bed().RSPos, 250);
    {
        PtyLink link(*this);
        link.start();
        link.adapter({0x08, 0x05, 0x00, 0x00, 0x31, 0x94, 0x00, 0xF7});
        EXPECT_EQ(link.pty.read(34), passOf({0, 249}));
        EXPECT_EQ(link.pty.read(4), (Bytes{0x02, 0x00, 0xF9, 0xFD}));
        page->Stop();
    }

    // Any change of the width brings the cams to 0 and the new width; showing
    // the page again on the same width leaves them where they were.
    page->Bed().SetCams(20, 180);
    page->OnShowForm();
    EXPECT_EQ(page->Bed().LSPos, 20);
    EXPECT_EQ(page->Bed().RSPos, 181);
    pattern.g.SetSize(150, 1024);
    page->OnShowForm();
    EXPECT_EQ(page->Bed().LSPos, 0);
    EXPECT_EQ(page->Bed().RSPos, 150);
    pattern.g.SetSize(250, 1024);
    page->OnShowForm();
    EXPECT_EQ(page->Bed().RSPos, 250);

    // A 150-wide pattern on the 200-needle machine: the adapter reports cams
    // 49/180 with a knitted pass; the next point-cam request echoes them as
    // they were, while the labels and the trim count only the pattern's needles.
    SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine);
    pattern.g.SetSize(150, 1024);
    page->OnShowForm();
    PtyLink link(*this);
    link.start();
    link.adapter({0x08, 0x10, 0x00, 0x00, 0x31, 0xB4, 0x00, 0xF7});
    EXPECT_EQ(page->Bed().LSPos, 49);
    EXPECT_EQ(page->Bed().RSPos, 181);
    EXPECT_EQ(page->Labels().Wide, "101");
    EXPECT_EQ(page->Labels().RightWorkStitch, "R75");
    link.adapter({0x08, 0x05, 0x00, 0x00, 0x31, 0xB4, 0x00, 0xF7});
    EXPECT_EQ(link.pty.read(34), passOf({49, 149})); // the edge needles stop at the pattern's last
    EXPECT_EQ(link.pty.read(4), (Bytes{0x02, 0x31, 0xB4, 0xFD}));
    // A cam the machine does not have is still refused.
    link.adapter({0x08, 0x10, 0x00, 0x00, 0x31, 0xC8, 0x00, 0xF7});
    EXPECT_FALSE(page->Run().LinkUp());
    EXPECT_EQ(page->Bed().RSPos, 181);
}

TEST_F(LinkFixture, MulticolourSkipSelectsEveryNeedleOnARowWithoutColour) {
    pattern.g.SetSize(200, 1024);
    for (int r = 0; r < 1024; ++r) pattern.setRow(r, 16); // background only
    pattern.setRow(1, 5);
    pattern.setSpan(1, 10, 19, 3); // row 1: two colours
    pattern.setRow(2, 5);          // row 2: one colour
    page->ChooseTechnique(tkMultiColorSkipStitch);
    page->OnShowForm();
    PtyLink link(*this);
    link.start();
    const Bytes all = cat({{0x01}, repeat(0xFF, 25), repeat(0x00, 7), {0xFE}});
    link.adapter({0x08, 0x01, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7});
    EXPECT_EQ(link.pty.read(34), all) << "row 0, no colour";
    link.adapter({0x08, 0x01, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7});
    std::set<int> row1 = span(0, 179); // colour 5's cells, mirrored
    for (int n = 190; n < 200; ++n) row1.insert(n);
    const Bytes got = link.pty.read(34);
    ASSERT_EQ(got.size(), 34u);
    EXPECT_EQ(needlesOf(got.data() + 1, 256), row1) << "row 1, two colours";
    link.adapter({0x08, 0x01, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7});
    EXPECT_EQ(link.pty.read(34), all) << "row 2, one colour";
    page->Stop();
}

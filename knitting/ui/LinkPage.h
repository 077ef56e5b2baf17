#pragma once
// The Link page (the main window's knitting page): the technique box, the row
// counter, the side and trim buttons, Start and Stop with the lamp, the
// preview with the yarn colours and the carriage setting, the machine's
// instruction sheet, the protocol log and the needle bed. The decisions are
// the engine's (lc::LinkController); this window shows its state and hands it
// the user's events. Everything the adapter's byte handler changes is shown
// on a later turn of the event loop: the handler never waits for a paint.
#include <QWidget>

#include <functional>
#include <map>

#include "knitting/LinkController.h"
#include "knitting/ui/SerialBridge.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QScrollBar;
class QStackedWidget;
class QToolButton;

namespace lc::ui {

class NeedleBedView;
class PreviewView;
class ColorInstructionView;
class CarriageAddInfoView;
class KnitMachinePanel;
class ShapeButton;
class Lamp;
class RowCounterLabel;

class LinkPage : public QWidget, public ILinkView {
    Q_OBJECT
public:
    // Knits the workspace's pattern and fills its technique list when created;
    // `links` reaches the other pages through the main window; may be null.
    explicit LinkPage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);
    ~LinkPage() override;

    // Each time the page is shown.
    void OnShowForm();
    // When the main window closes.
    void CloseOpenedComPort();

    LinkController& controller() { return ctl_; }
    // The serial link the page's runs open their ports on.
    SerialLink& serialLink() { return serial_; }
    RunTimerHost& runHost() { return host_; }
    SerialBridge& serialBridge() { return bridge_; }

    // How the run's and the page's message boxes are shown (a modal box owned
    // by the page unless replaced); called after the handler that raised them
    // has returned.
    using BoxPresenter = std::function<void(const QString& text, const QString& caption, bool error)>;
    void setMessageBoxPresenter(BoxPresenter presenter) { presenter_ = std::move(presenter); }

    // ILinkView: remembers what changed and shows it on the next turn of the
    // event loop, however often it is called meanwhile.
    void refresh(unsigned parts) override;
    // The drawing check's bar: set now, while the check holds the GUI thread.
    void progressMoved() override;
    // Shows what is pending now (tests, and the queued call).
    void applyRefresh();

    // Controls, for the main window and the tests.
    QToolButton* toolButton(int tag) const;
    QComboBox* techniqueBox() const { return comboBox2_; }
    QWidget* startButton() const;
    QWidget* stopButton() const;
    QWidget* lamp() const;
    // The lamp and the two shapes' colours (0x00BBGGRR).
    Color lampColor() const;
    Color startColor() const;
    Color stopColor() const;
    QPlainTextEdit* protocolMemo() const { return memo1_; }
    NeedleBedView* needleBed() const { return bed_; }
    PreviewView* preview() const { return preview_; }
    ColorInstructionView* colorInstruction() const { return colors_; }
    CarriageAddInfoView* carriageInfo() const { return carrInfo_; }
    KnitMachinePanel* machinePanel() const { return machine_; }
    QStackedWidget* views() const { return panel3_; }
    QLabel* rowCounterLabel() const;
    QLabel* label(const char* name) const;
    QWidget* panel1() const { return panel1_; }

signals:
    // Open/menu (30100), Save (30101) and Help (3): the main window's commands.
    void toolCommand(int tag);

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void FormCreate();
    void LoadLanguage();
    QWidget* makeToolColumn();
    QWidget* makeInfoPanel();
    QToolButton* addTool(QWidget* bar, int tag, const QString& hint, bool checkable);
    void showBox(const QString& text, const QString& caption, bool error);

    Workspace& ws_;
    SerialLink serial_;
    SerialBridge bridge_;
    RunTimerHost host_;
    LinkController ctl_;

    QWidget* panel1_ = nullptr;
    QWidget* panel2_ = nullptr;
    QStackedWidget* panel3_ = nullptr;
    PreviewView* preview_ = nullptr;
    ColorInstructionView* colors_ = nullptr;
    CarriageAddInfoView* carrInfo_ = nullptr;
    KnitMachinePanel* machine_ = nullptr;
    NeedleBedView* bed_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    RowCounterLabel* staticText1_ = nullptr;
    QToolButton* rowUp_ = nullptr;
    QToolButton* rowDown_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label17_ = nullptr;
    QLabel* lblLeftWorkStitch_ = nullptr;
    QLabel* lblWide_ = nullptr;
    QLabel* lblRightWorkStitch_ = nullptr;
    QScrollBar* scrollBar1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    ShapeButton* shape2_ = nullptr; // Stop
    ShapeButton* shape3_ = nullptr; // Start
    Lamp* shape1_ = nullptr;
    std::map<int, QToolButton*> tools_;

    unsigned pending_ = 0;
    bool refreshQueued_ = false;
    BoxPresenter presenter_;
};

} // namespace lc::ui

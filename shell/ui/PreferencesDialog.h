#pragma once
// The preferences dialog: language, units and autosave restore (General); the
// working folders; the machine model and the adapter's port with the port
// scan (Machine); the event sounds. Settings change only on OK; OK, Cancel,
// Esc and the window's close button all stop a running scan and close its
// port, so the Link page can open the same port right after.
#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "shell/PortScan.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace lc {
class SerialLink;
} // namespace lc

namespace lc::ui {

class SerialBridge;
class SoundPlayer;

class PreferencesDialog : public QDialog, private PortScanHost {
    Q_OBJECT
public:
    // The probe port is opened on `link` (the Link page's), its bytes come
    // through `bridge`; `sounds` plays a sound line when it is clicked (may be null).
    PreferencesDialog(Workspace& ws, SerialLink& link, SerialBridge& bridge, SoundPlayer* sounds,
                      QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    // Every control back to the current settings; a running scan stops.
    void ShowSettings();

    // OK: takes the controls into the settings and saves them. A change of
    // machine asks first, and while a knitting run is going on asks to stop
    // it (either declined: the dialog stays open, nothing changes).
    void accept() override;
    // Cancel, Esc and the close button: nothing changes.
    void reject() override;
    void done(int result) override;

    // Asked before a change of machine clears the picture; true goes on.
    std::function<bool()> confirmMachineChange;
    // Whether a knitting run is going on (its link is up), and how to stop it
    // with its port closed and its place kept. A new machine resizes the
    // pattern the run sends from, so the run stops before it changes.
    std::function<bool()> runActive;
    std::function<void()> stopRun;
    // Asked before a change of machine stops that run; true stops it.
    std::function<bool()> confirmStopRun;
    // After a change of machine: the raster has the new width and the current
    // machine is selected; the main window resets what depends on the width.
    std::function<void()> machineChanged;
    // How the scan's information boxes are shown (modal box by default).
    std::function<void(const QString& text, const QString& caption)> presenter;
    // The ports offered; by default the computer's serial ports.
    std::function<std::vector<std::string>()> portLister;

    PortScan& scan() { return scan_; }
    QTimer& stepTimer() { return stepTimer_; }
    QTimer& waitTimer() { return waitTimer_; }
    QTabWidget* pages() const { return pages_; }
    QComboBox* languageBox() const { return language_; }
    QComboBox* unitsBox() const { return units_; }
    QCheckBox* autoRestoreBox() const { return autoRestore_; }
    QLineEdit* folderEdit(int i) const { return folders_[i]; } // pictures, palettes, garments, models
    QComboBox* machineBox() const { return machine_; }
    QComboBox* portBox() const { return port_; }
    QPushButton* scanButton() const { return scanBtn_; }
    QProgressBar* progressBar() const { return progress_; }
    QListWidget* soundList() const { return sounds_; }
    QPushButton* okButton() const { return okBtn_; }
    QPushButton* cancelButton() const { return cancelBtn_; }
    // The slot of the probe port, -1 when none is open.
    int probeSlot() const { return slot_; }

private:
    void build();
    // True when no knitting run is going on any more: none was, or the user
    // agreed to stop it and it stopped.
    bool runStopped();
    void ScanComPorts();
    void LoadSoundSettings();
    int SoundEventsFromList() const;
    void startScan();
    void inform(const QString& text);
    QString text(int slot) const;

    // PortScanHost
    int openProbePort(const std::string& port) override;
    void writeProbe() override;
    void closeProbePort() override;
    void closeProbePortLater() override;
    void startWait(int ms) override;
    void cancelWait() override;
    void startStepTimer(int ms) override;
    void stopStepTimer() override;
    void showPort(int index) override;
    void showProgress(bool visible, int position, int maximum) override;
    void adapterFound(const std::string& port) override;
    void adapterNotFound(const std::vector<std::string>& deniedPorts) override;

    Workspace& ws_;
    SerialLink& link_;
    SerialBridge& bridge_;
    SoundPlayer* player_ = nullptr;
    PortScan scan_{*this};
    QTimer stepTimer_;
    QTimer waitTimer_;
    int slot_ = -1;
    bool filling_ = false;

    QTabWidget* pages_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* units_ = nullptr;
    QCheckBox* autoRestore_ = nullptr;
    QLineEdit* folders_[4] = {};
    QComboBox* machine_ = nullptr;
    QComboBox* port_ = nullptr;
    QPushButton* scanBtn_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QListWidget* sounds_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace lc::ui

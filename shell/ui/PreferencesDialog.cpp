#include "shell/ui/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/UIText.h"
#include "core/ui/InLanguage.h"
#include "knitting/KnitRun.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/SerialBridge.h"
#include "shell/EventSounds.h"
#include "shell/SerialPorts.h"
#include "shell/ui/SoundPlayer.h"

namespace lc::ui {

namespace {

constexpr int kLanguageEnglish = 0;
constexpr int kLanguageRussian = 1;

} // namespace

PreferencesDialog::PreferencesDialog(Workspace& ws, SerialLink& link, SerialBridge& bridge, SoundPlayer* sounds,
                                     QWidget* parent)
    : QDialog(parent), ws_(ws), link_(link), bridge_(bridge), player_(sounds) {
    setObjectName("PreferencesDialog");
    setWindowTitle("Preferences");
    setMinimumSize(480, 300);
    stepTimer_.setSingleShot(false);
    waitTimer_.setSingleShot(true);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { scan_.tick(); });
    connect(&waitTimer_, &QTimer::timeout, this, [this] { scan_.waitElapsed(); });
    bridge_.setHandler(kPortProbeDataMessage, [this](uint8_t b) { scan_.byte(b); });
    build();
}

PreferencesDialog::~PreferencesDialog() {
    scan_.stop();
    closeProbePort();
    bridge_.removeHandler(kPortProbeDataMessage);
}

QString PreferencesDialog::text(int slot) const {
    return QString::fromStdString(ws_.UIText[static_cast<size_t>(slot)]);
}

void PreferencesDialog::build() {
    auto* top = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    top->addWidget(pages_);

    // General
    auto* general = new QWidget(pages_);
    auto* g = new QFormLayout(general);
    language_ = new QComboBox(general);
    language_->setObjectName("ComboBox3");
    // Named for what it sets: a screen reader would otherwise speak its current line.
    language_->setAccessibleName("Language");
    language_->addItems({"English", "Russian", "Japaneese"});
    g->addRow("Language", language_);
    units_ = new QComboBox(general);
    units_->setObjectName("ComboBox4");
    units_->setAccessibleName("Units");
    units_->addItems({"Metric", "Imperial"});
    g->addRow("Units", units_);
    autoRestore_ = new QCheckBox("Restore previous autosaved state", general);
    autoRestore_->setObjectName("CheckBox1");
    g->addRow(autoRestore_);
    auto* restart = new QLabel(
        "You will be required to restart the program in order to changing of language makes effect. ", general);
    restart->setWordWrap(true);
    g->addRow(restart);
    pages_->addTab(general, "General");

    // Working folders
    auto* folders = new QWidget(pages_);
    auto* f = new QFormLayout(folders);
    static const char* const captions[4] = {"Store my patterns in", "Store my palettes in", "Store my garments in",
                                            "Store my models in"};
    static const char* const hints[4] = {"Select default pictures directory...",
                                         "Select default  palettes directory...",
                                         "Select default garments directory...", "Select default models directory..."};
    for (int i = 0; i < 4; ++i) {
        auto* row = new QWidget(folders);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        folders_[i] = new QLineEdit(row);
        folders_[i]->setObjectName(QString("Edit%1").arg(5 + i));
        // The row's caption labels the row, not the field inside it: the field is named by it.
        folders_[i]->setAccessibleName(captions[i]);
        auto* browse = new QToolButton(row);
        browse->setText("...");
        browse->setToolTip(hints[i]);
        browse->setAccessibleName(hints[i]);
        h->addWidget(folders_[i]);
        h->addWidget(browse);
        QLineEdit* edit = folders_[i];
        connect(browse, &QToolButton::clicked, this, [this, edit] {
            const QString dir = QFileDialog::getExistingDirectory(this, "Directories", edit->text());
            if (!dir.isEmpty()) edit->setText(dir);
        });
        f->addRow(captions[i], row);
    }
    pages_->addTab(folders, "Working Folders");

    // Machine
    auto* machine = new QWidget(pages_);
    auto* m = new QVBoxLayout(machine);
    m->addWidget(new QLabel("Machine", machine));
    machine_ = new QComboBox(machine);
    machine_->setObjectName("ComboBox1");
    machine_->setAccessibleName("Machine");
    m->addWidget(machine_);
    m->addWidget(new QLabel("Communication port", machine));
    auto* portRow = new QHBoxLayout;
    port_ = new QComboBox(machine);
    port_->setObjectName("ComboBox2");
    port_->setAccessibleName("Communication port");
    port_->setMinimumContentsLength(16);
    scanBtn_ = new QPushButton("AutoScan", machine);
    scanBtn_->setObjectName("SpeedButton4");
    portRow->addWidget(port_, 1);
    portRow->addWidget(scanBtn_);
    m->addLayout(portRow);
    progress_ = new QProgressBar(machine);
    progress_->setObjectName("ProgressBar1");
    progress_->hide();
    m->addWidget(progress_);
    auto* warning = new QLabel("Changing of the machine type will cause your picture to be cleared.", machine);
    warning->setWordWrap(true);
    m->addWidget(warning);
    m->addStretch(1);
    connect(scanBtn_, &QPushButton::clicked, this, [this] { startScan(); });
    pages_->addTab(machine, "Machine");

    // Sounds
    auto* soundsPage = new QWidget(pages_);
    auto* s = new QVBoxLayout(soundsPage);
    sounds_ = new QListWidget(soundsPage);
    sounds_->setObjectName("cbSounds");
    sounds_->setAccessibleName("Sounds");
    s->addWidget(sounds_);
    connect(sounds_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_ || !player_) return;
        player_->play(sounds_->row(item));
    });
    pages_->addTab(soundsPage, "Sounds");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    okBtn_ = new QPushButton("Ok", this);
    okBtn_->setObjectName("SpeedButton1");
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton("Cancel", this);
    cancelBtn_->setObjectName("SpeedButton2");
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    top->addLayout(buttons);
    connect(okBtn_, &QPushButton::clicked, this, &PreferencesDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &PreferencesDialog::reject);
}

void PreferencesDialog::ShowSettings() {
    scan_.stop();
    progress_->hide();
    scanBtn_->setEnabled(true);
    ScanComPorts();
    const Settings& st = ws_.Settings;
    machine_->clear();
    for (const MachineRecord& r : ws_.MachineList) machine_->addItem(QString::fromStdString(r.Name), r.Code);
    machine_->setCurrentIndex(machine_->findData(st.Machine));
    folders_[0]->setText(QString::fromStdString(st.Path_Picture));
    folders_[1]->setText(QString::fromStdString(st.Path_Palettes));
    folders_[2]->setText(QString::fromStdString(st.Path_Garment));
    folders_[3]->setText(QString::fromStdString(st.Path_Fashion));
    language_->setCurrentIndex(st.LanguageCode == "RUS" ? kLanguageRussian : kLanguageEnglish);
    units_->setCurrentIndex(std::clamp(st.Units, 0, 1));
    autoRestore_->setChecked(st.AutoRestore >= 1);
    LoadSoundSettings();
}

void PreferencesDialog::ScanComPorts() {
    port_->clear();
    std::vector<std::string> ports = portLister ? portLister() : ListSerialPorts();
    // The port in use stays on offer when it is a device the scan does not
    // list (a Bluetooth serial port, say).
    const std::string current = SerialDevicePath(ws_.Settings.ACOMPort);
    std::error_code ec;
    const bool builtIn = current.rfind("/dev/ttyS", 0) == 0;
    if (std::find(ports.begin(), ports.end(), current) == ports.end() && std::filesystem::exists(current, ec) &&
        (!builtIn || HasRealUart(current)))
        ports.push_back(current);
    for (const std::string& p : ports) port_->addItem(QString::fromStdString(p));
    port_->setCurrentIndex(port_->findText(QString::fromStdString(current)));
}

void PreferencesDialog::LoadSoundSettings() {
    filling_ = true;
    sounds_->clear();
    for (int i = 0; i < kEventSoundCount; ++i) {
        auto* item = new QListWidgetItem(text(utSoundChangeColor + i), sounds_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState((ws_.Settings.SoundEvents & (1 << i)) ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
}

int PreferencesDialog::SoundEventsFromList() const {
    int bits = 0;
    for (int i = 0; i < sounds_->count() && i < kEventSoundCount; ++i)
        if (sounds_->item(i)->checkState() == Qt::Checked) bits |= 1 << i;
    return bits;
}

void PreferencesDialog::accept() {
    scan_.stop();
    closeProbePort();
    Settings& st = ws_.Settings;
    const QVariant code = machine_->currentData();
    if (code.isValid() && code.toInt() != st.Machine) {
        const bool go = confirmMachineChange
                            ? confirmMachineChange()
                            : QMessageBox::question(this, windowTitle(),
                                                    "Changing of the machine type will cause your picture to be "
                                                    "cleared.") == QMessageBox::Yes;
        if (!go) return;
        // Nothing the run sends may come from the new machine's raster.
        if (!runStopped()) return;
        MachineRecord chosen;
        if (SelectCurrentMachine(ws_.MachineList, code.toInt(), chosen)) {
            st.Machine = chosen.Code;
            ws_.CurrentMachine = chosen;
            st.NeedleBed = chosen.Needles;
            ws_.Raster.SetSize(chosen.Needles, kPatternRows);
            ws_.Raster.FillMask();
            if (machineChanged) machineChanged();
        }
    }
    // No line selected (no ports at all, say): the port stays as it was.
    if (port_->currentIndex() >= 0) st.ACOMPort = port_->currentText().toStdString();
    st.Path_Picture = folders_[0]->text().toStdString();
    st.Path_Palettes = folders_[1]->text().toStdString();
    st.Path_Garment = folders_[2]->text().toStdString();
    st.Path_Fashion = folders_[3]->text().toStdString();
    st.LanguageCode = language_->currentIndex() == kLanguageRussian ? "RUS" : "ENG";
    st.Units = std::max(units_->currentIndex(), 0);
    st.AutoRestore = autoRestore_->isChecked() ? 1 : 0;
    ws_.Editor.CellHeights = CellHeightsFor(st.PixByX, st.PixByY);
    st.SoundEvents = SoundEventsFromList();
    SaveSettings(st, ws_.Paths, ws_.Raster.Width, ws_.Store());
    QDialog::accept();
}

bool PreferencesDialog::runStopped() {
    if (!runActive || !runActive()) return true;
    const QString question = InLanguage(ws_.Settings, "Knitting is in progress. Stop it and change the machine?",
                                        "Идёт вязание. Остановить его и сменить машину?");
    const bool stop =
        confirmStopRun ? confirmStopRun() : QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    if (!stop) return false;
    if (stopRun) stopRun();
    return !runActive();
}

void PreferencesDialog::reject() {
    ShowSettings();
    QDialog::reject();
}

void PreferencesDialog::done(int result) {
    // Whatever closes the dialog ends the scan and frees the port.
    scan_.stop();
    closeProbePort();
    QDialog::done(result);
}

void PreferencesDialog::startScan() {
    std::vector<std::string> ports;
    for (int i = 0; i < port_->count(); ++i) ports.push_back(port_->itemText(i).toStdString());
    scanBtn_->setEnabled(false);
    scan_.start(std::move(ports));
}

void PreferencesDialog::inform(const QString& message) {
    // Raised while a byte or a tick is handled: shown once that handler has returned.
    QTimer::singleShot(0, this, [this, message] {
        if (presenter) presenter(message, "Information");
        else QMessageBox::information(this, "Information", message);
    });
}

// --- PortScanHost

int PreferencesDialog::openProbePort(const std::string& port) {
    closeProbePort();
    int32_t slot = -1;
    const uint32_t rc = link_.OpenPort(SerialDevicePath(port), 9600, 8, kParityNone, kOneStopBit, kSerialSetAll,
                                       &bridge_, kPortProbeDataMessage, slot);
    if (rc != kSerialOk) return rc == kSerialNotOpen ? EBUSY : static_cast<int>(rc);
    slot_ = slot;
    return 0;
}

void PreferencesDialog::writeProbe() {
    if (slot_ >= 0) link_.Write(slot_, kProbePacket.data(), static_cast<uint32_t>(kProbePacket.size()));
}

void PreferencesDialog::closeProbePort() {
    if (slot_ < 0) return;
    link_.ClosePort(slot_);
    slot_ = -1;
}

void PreferencesDialog::closeProbePortLater() {
    // Called from the byte handler: the port is closed on the next turn of the
    // event loop, and only if it is still the one that answered.
    const int slot = slot_;
    if (slot < 0) return;
    const uint64_t generation = link_.SlotGeneration(slot);
    QTimer::singleShot(0, this, [this, slot, generation] {
        if (slot_ == slot && link_.SlotGeneration(slot) == generation) closeProbePort();
    });
}

void PreferencesDialog::startWait(int ms) { waitTimer_.start(ms); }
void PreferencesDialog::cancelWait() { waitTimer_.stop(); }
void PreferencesDialog::startStepTimer(int ms) { stepTimer_.start(ms); }
void PreferencesDialog::stopStepTimer() { stepTimer_.stop(); }
void PreferencesDialog::showPort(int index) { port_->setCurrentIndex(index); }

void PreferencesDialog::showProgress(bool visible, int position, int maximum) {
    progress_->setVisible(visible);
    if (visible) {
        progress_->setMaximum(std::max(maximum, 1));
        progress_->setValue(std::min(position, std::max(maximum, 1)));
    } else {
        scanBtn_->setEnabled(true);
    }
}

void PreferencesDialog::adapterFound(const std::string& port) {
    inform(text(utScanAdapterOnPort) + QString::fromStdString(port));
}

void PreferencesDialog::adapterNotFound(const std::vector<std::string>& deniedPorts) {
    QString message = text(utScanNoAdapter);
    if (!deniedPorts.empty()) {
        QStringList names;
        for (const std::string& p : deniedPorts) names << QString::fromStdString(p);
        message +=
            "\n" + InLanguage(ws_.Settings,
                              "You may not open %1: add your user to the \"dialout\" group and log in again.",
                              "Нет прав на открытие %1: добавьте пользователя в группу \"dialout\" и войдите заново.")
                       .arg(names.join(", "));
    }
    inform(message);
}

} // namespace lc::ui

#include "shell/ui/SoundPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace lc::ui {

SoundPlayer::SoundPlayer(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {}

void SoundPlayer::play(int index) {
    if (index < 0 || index >= kEventSoundCount) return;
    last_ = index;
    // Looked for once: without an output device no effect is made at all.
    if (deviceState_ == 0) deviceState_ = QMediaDevices::audioOutputs().isEmpty() ? 2 : 1;
    if (deviceState_ == 2) return;
    QSoundEffect*& e = effects_[static_cast<size_t>(index)];
    if (!e) {
        const QString file = QDir(folder_).filePath(QString::fromLatin1(kEventSoundNames[index]) + ".wav");
        if (!QFileInfo::exists(file)) return;
        e = new QSoundEffect(this);
        e->setSource(QUrl::fromLocalFile(file));
    }
    e->play();
}

int SoundPlayer::playEvent(int event, int soundEvents) {
    const int index = EventSoundIndex(event, soundEvents);
    play(index);
    return index;
}

} // namespace lc::ui

#include "shell/ui/SoundPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace lc::ui {

SoundPlayer::SoundPlayer(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {}

void SoundPlayer::play(int index) {
    if (index < 0 || index >= kEventSoundCount) return;
    last_ = index;
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

#pragma once
// Plays the event sounds: the WAVs of the program's "sounds" folder through
// QSoundEffect, each loaded once. Without an audio device (or without the
// files) nothing is heard and nothing is reported.
#include <QObject>
#include <QString>
#include <array>

#include "shell/EventSounds.h"

class QSoundEffect;

namespace lc::ui {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // `folder` holds the WAVs (AppDir + "sounds").
    explicit SoundPlayer(const QString& folder, QObject* parent = nullptr);

    // Plays sound `index` (0..4) now, asynchronously; other indexes do nothing.
    void play(int index);
    // The event's sound when `soundEvents` has its bit; returns the index played or -1.
    int playEvent(int event, int soundEvents);
    // The index last asked for (tests), -1 before any.
    int lastPlayed() const { return last_; }

private:
    QString folder_;
    std::array<QSoundEffect*, kEventSoundCount> effects_{};
    int last_ = -1;
    int deviceState_ = 0; // 0 not looked for yet, 1 an output device, 2 none
};

} // namespace lc::ui

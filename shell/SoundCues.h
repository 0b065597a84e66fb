#pragma once
// The real sound player behind the sound seam: QSoundEffect, one cue at a time.

#include "shell/Seams.h"

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace qx {

class SoundCues : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit SoundCues(QObject* parent = nullptr);
    ~SoundCues() override;

    // Stops the cue that is playing and starts `fileName` (relative to the working directory);
    // an empty name only stops. Returns at once: the audio work happens on the next turn of the
    // event loop, so a burst of requests plays only the last one, as each cuts off the one before.
    void play(int id, const QString& fileName) override;

    // The file of the latest request (empty for none or the empty name).
    QString requested() const { return pending_; }

private:
    void startPending();
    QSoundEffect* effectFor(const QString& fileName);

    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
    QString pending_;
    bool scheduled_ = false;
    bool preloaded_ = false;
};

}  // namespace qx

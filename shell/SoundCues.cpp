#include "shell/SoundCues.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace qx {

SoundCues::SoundCues(QObject* parent) : QObject(parent) {}

SoundCues::~SoundCues() = default;

void SoundCues::play(int, const QString& fileName)
{
    pending_ = fileName;
    if (scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &SoundCues::startPending);
}

void SoundCues::startPending()
{
    scheduled_ = false;
    if (!preloaded_) {
        // Once the program is up, load the other cues in the background so that none of them
        // waits for its file when it is first asked for.
        preloaded_ = true;
        QTimer::singleShot(500, this, [this] {
            for (int id = 1; id <= 7; ++id) effectFor(CueFileName(id));
        });
    }
    if (playing_) playing_->stop();
    playing_ = nullptr;
    if (pending_.isEmpty()) return;
    QSoundEffect* effect = effectFor(pending_);
    if (!effect) return;  // missing file: silence
    playing_ = effect;
    // An effect still loading starts by itself once it is ready; one that failed stays silent.
    effect->play();
}

// Effects are kept once made, so a cue heard before is decoded only once.
QSoundEffect* SoundCues::effectFor(const QString& fileName)
{
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (auto it = effects_.constFind(path); it != effects_.constEnd()) return it.value();
    if (!QFileInfo(path).isFile()) return nullptr;
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(path, effect);
    return effect;
}

}  // namespace qx

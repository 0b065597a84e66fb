// The audio output of the sound cues, built as a module of its own that the program loads when
// the first cue is due: the multimedia libraries it needs take longer to load than the main menu
// takes to build.
#include "shell/SoundCues.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectOutput : public QObject, public qx::CueOutput {
public:
    void Start(const QString& fileName) override
    {
        if (playing_) playing_->stop();
        playing_ = nullptr;
        if (fileName.isEmpty()) return;
        QSoundEffect* effect = EffectFor(fileName);
        if (!effect) return;  // missing file: silence
        playing_ = effect;
        // An effect still loading starts by itself once it is ready; one that failed stays silent.
        effect->play();
    }

    void Prepare(const QString& fileName) override { EffectFor(fileName); }

private:
    // Effects are kept once made, so a cue heard before is decoded only once.
    QSoundEffect* EffectFor(const QString& fileName)
    {
        const QString path = QDir::current().absoluteFilePath(fileName);
        if (auto it = effects_.constFind(path); it != effects_.constEnd()) return it.value();
        if (!QFileInfo(path).isFile()) return nullptr;
        auto* effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
        effects_.insert(path, effect);
        return effect;
    }

    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

}  // namespace

// The module's one entry point, looked up by its C name.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" Q_DECL_EXPORT qx::CueOutput* qx_create_cue_output() { return new EffectOutput; }

#include "shell/SoundCues.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QTimer>

namespace qx {

std::unique_ptr<CueOutput> LoadCueModule()
{
    // Never unloaded: the output's code lives there.
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/libqxcues.so"));
    using Create = CueOutput* (*)();
    const auto create = reinterpret_cast<Create>(module.resolve("qx_create_cue_output"));
    return std::unique_ptr<CueOutput>(create ? create() : nullptr);
}

SoundCues::SoundCues(CueOutputLoader load, QObject* parent) : QObject(parent), load_(std::move(load)) {}

SoundCues::~SoundCues() = default;

void SoundCues::play(int, const QString& fileName)
{
    pending_ = fileName;
    hasPending_ = true;
    if (!opened_ || scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &SoundCues::StartPending);
}

void SoundCues::Open()
{
    if (opened_) return;
    opened_ = true;
    // Without the module every cue is silent; it is not looked for again.
    output_ = load_();
    if (output_) {
        // Read the other cues in the background, so that none waits for its file later.
        QTimer::singleShot(500, this, [this] {
            for (int id = 1; id <= 7; ++id) output_->Prepare(CueFileName(id));
        });
    }
    if (hasPending_) StartPending();
}

void SoundCues::StartPending()
{
    scheduled_ = false;
    hasPending_ = false;
    if (output_) output_->Start(pending_);
}

}  // namespace qx

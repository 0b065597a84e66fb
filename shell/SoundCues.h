#pragma once
// The real sound player behind the sound seam: one cue at a time, through an audio output that
// is loaded from a module of its own when the player is opened, so that start-up can put the main
// menu on screen before it loads the audio libraries.

#include "shell/Seams.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace qx {

// What sounds the cue files.
class CueOutput {
public:
    virtual ~CueOutput() = default;
    // Stops the cue that is playing and starts the wave file `fileName` (relative to the working
    // directory); an empty name only stops. A missing or unplayable file stays silent.
    virtual void Start(const QString& fileName) = 0;
    // Reads the file ahead without playing it, so that it sounds at once when first asked for.
    virtual void Prepare(const QString& fileName) = 0;
};

using CueOutputLoader = std::function<std::unique_ptr<CueOutput>()>;

// The output of the cue module beside the program; null (silence) when it cannot be loaded.
std::unique_ptr<CueOutput> LoadCueModule();

class SoundCues : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit SoundCues(CueOutputLoader load = LoadCueModule, QObject* parent = nullptr);
    ~SoundCues() override;

    // Returns at once: the cue starts on the next turn of the event loop, so a burst of requests
    // plays only the last one, as each cuts off the one before. Before Open() the request waits.
    void play(int id, const QString& fileName) override;

    // Loads the audio output (once) and starts the cue requested last, if any.
    void Open();

private:
    void StartPending();

    CueOutputLoader load_;
    std::unique_ptr<CueOutput> output_;
    bool opened_ = false;
    QString pending_;
    bool hasPending_ = false;
    bool scheduled_ = false;
};

}  // namespace qx

#pragma once
// The three seams between the game and the desktop: message boxes, sound cues and the help
// viewer. The program installs the real ones at start-up; tests install doubles.

#include <QPoint>
#include <QString>
#include <optional>

namespace qx {

// Screen position of a message box's top left corner; none means centred on the screen.
using BoxPosition = std::optional<QPoint>;

// The seams' operations are lower-case verbs, as every double that tests install spells them.
// NOLINTBEGIN(readability-identifier-naming)
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // "確認", question icon, "OK"/"キャンセル"; true only for OK (Esc and the close box are キャンセル).
    virtual bool confirm(const QString& text, BoxPosition pos = std::nullopt) = 0;
    // Title "ＱＸパズル", no icon, one "OK".
    virtual void plain(const QString& text, BoxPosition pos = std::nullopt) = 0;
    // "情報", information icon, one "OK"; centred.
    virtual void info(const QString& text) = 0;
    // The error box: title "ＱＸパズル", critical icon, the error's text; centred.
    virtual void error(const QString& text) = 0;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Start cue `id` from `fileName` (empty for ids without a file) and return at once.
    virtual void play(int id, const QString& fileName) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Show the help page at its contents.
    virtual void showContents() = 0;
};
// NOLINTEND(readability-identifier-naming)

// The installed implementations. Installing does not take ownership.
MessageBoxes& Messages();
SoundPlayer& Sounds();
HelpViewer& Help();
void InstallMessages(MessageBoxes* boxes);
void InstallSounds(SoundPlayer* player);
void InstallHelp(HelpViewer* viewer);

// "oto/pipo.wav" … for ids 1 … 7; empty for any other id.
QString CueFileName(int id);
// Start a cue in the background (core/SoundCue.h; declared here only, as the cue module
// beside the program does not see core).
enum class SoundCue;
void PlayCue(SoundCue cue);

}  // namespace qx

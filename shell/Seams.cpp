#include "shell/Seams.h"

#include "core/SoundCue.h"

namespace qx {

namespace {

// Until the program installs its real seams, boxes show nothing and answer キャンセル,
// cues are silent and help shows nothing.
class SilentMessages : public MessageBoxes {
public:
    bool confirm(const QString&, BoxPosition) override { return false; }
    void plain(const QString&, BoxPosition) override {}
    void info(const QString&) override {}
    void error(const QString&) override {}
};
class SilentSounds : public SoundPlayer {
public:
    void play(int, const QString&) override {}
};
class NoHelp : public HelpViewer {
public:
    void showContents() override {}
};

SilentMessages silentMessages;
SilentSounds silentSounds;
NoHelp noHelp;

MessageBoxes* messages = &silentMessages;
SoundPlayer* sounds = &silentSounds;
HelpViewer* help = &noHelp;

}  // namespace

MessageBoxes& Messages() { return *messages; }
SoundPlayer& Sounds() { return *sounds; }
HelpViewer& Help() { return *help; }

void InstallMessages(MessageBoxes* boxes) { messages = boxes ? boxes : &silentMessages; }
void InstallSounds(SoundPlayer* player) { sounds = player ? player : &silentSounds; }
void InstallHelp(HelpViewer* viewer) { help = viewer ? viewer : &noHelp; }

QString CueFileName(int id)
{
    static const char* const Names[] = {"pipo", "poon", "bubuu", "pinpon", "charararan", "bun", "chararan"};
    // Ids without a file still make a request, with an empty (not a null) name.
    if (id < 1 || id > 7) return QStringLiteral("");
    return QStringLiteral("oto/%1.wav").arg(QLatin1String(Names[id - 1]));
}

void PlayCue(SoundCue cue) { Sounds().play(int(cue), CueFileName(int(cue))); }

}  // namespace qx

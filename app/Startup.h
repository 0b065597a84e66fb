#pragma once
// Start-up: the data module and the windows, created in their fixed order, the menu shown first.

#include <functional>
#include <memory>

class TDataModule1;
class TForm1;
class TForm2;
class TForm3;
class TForm4;

class QObject;
namespace qx {
class QtMessageBoxes;
class SoundCues;
class TextHelpViewer;
}  // namespace qx

// The program's real message boxes, sound cues and help viewer, installed behind their seams for
// as long as this object lives.
class ProgramSeams {
public:
    ProgramSeams();
    ~ProgramSeams();
    ProgramSeams(const ProgramSeams&) = delete;
    ProgramSeams& operator=(const ProgramSeams&) = delete;

    // Loads the audio output; cues asked for before wait, and the last of them starts now.
    void OpenSounds();

private:
    std::unique_ptr<qx::QtMessageBoxes> messages_;
    std::unique_ptr<qx::SoundCues> sounds_;
    std::unique_ptr<qx::TextHelpViewer> help_;
};

// Everything start-up creates; it lives until the program ends. An object whose creation failed
// (the error was shown) is null, and start-up went on with the next.
struct StartedProgram {
    std::unique_ptr<TDataModule1> dataModule;
    std::unique_ptr<TForm1> menu;
    std::unique_ptr<TForm2> puzzle1;
    std::unique_ptr<TForm3> puzzle2;
    std::unique_ptr<TForm4> records;  // never shown
    std::function<void(const char* step)> reached;
    ProgramSeams* seams = nullptr;
    std::unique_ptr<QObject> firstPaint;  // watches the menu until it is on screen

    ~StartedProgram();
    // Opens the database, makes the Puzzle I, Puzzle II and record windows and opens the sound
    // output, once: when the menu has been painted, or earlier when the player opens a game.
    void Finish();
    bool Finished() const { return finished_; }

private:
    bool finished_ = false;
};

// Installs the font substitutions, creates the data module and the main menu and shows it; the
// rest follows as soon as the menu is on screen (Finish), so that the player sees the menu first
// while every window still exists, in the designed order, before input can reach it. The
// message-box, sound and help seams must be installed before; `seams`, when given, are the real
// ones, whose sound output start-up opens last. `reached` hears the name of each step as it is
// done, for the start-up benchmark.
std::unique_ptr<StartedProgram> StartProgram(ProgramSeams* seams = nullptr,
                                             const std::function<void(const char* step)>& reached = {});

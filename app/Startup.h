#pragma once
// Start-up: the data module and the windows, created in their fixed order, the menu shown first.

#include <memory>

class TDataModule1;
class TForm1;
class TForm2;
class TForm3;
class TForm4;

// Everything start-up creates; it lives until the program ends. An object whose creation failed
// (the error was shown) is null, and start-up went on with the next.
struct StartedProgram {
    std::unique_ptr<TDataModule1> dataModule;
    std::unique_ptr<TForm1> menu;
    std::unique_ptr<TForm2> puzzle1;
    std::unique_ptr<TForm3> puzzle2;
    std::unique_ptr<TForm4> records;  // never shown
    StartedProgram();
    StartedProgram(StartedProgram&&) noexcept;
    ~StartedProgram();
};

// Installs the font substitutions, then creates the data module, the main menu (shown), the
// Puzzle I, Puzzle II and record table windows, and hands the game windows to the menu. The
// message-box, sound and help seams must be installed before.
StartedProgram StartProgram();

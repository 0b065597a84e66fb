#include "app/Startup.h"

#include "app/MainMenu.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/Application.h"
#include "shell/Look.h"

namespace {

// Creates one of the start-up objects; an error in its creation is shown and start-up goes on.
template <class T>
std::unique_ptr<T> Create()
{
    std::unique_ptr<T> object;
    RunGuarded([&] { object = std::make_unique<T>(); });
    return object;
}

}  // namespace

StartedProgram::StartedProgram() = default;
StartedProgram::StartedProgram(StartedProgram&&) noexcept = default;
// The windows go before the data module that they read from.
StartedProgram::~StartedProgram()
{
    records.reset();
    puzzle2.reset();
    puzzle1.reset();
    menu.reset();
    dataModule.reset();
}

StartedProgram StartProgram()
{
    qx::InstallFontSubstitutions();
    StartedProgram program;
    program.dataModule = Create<TDataModule1>();
    program.menu = Create<TForm1>();
    if (program.menu) program.menu->show();
    program.puzzle1 = Create<TForm2>();
    program.puzzle2 = Create<TForm3>();
    program.records = Create<TForm4>();
    if (program.menu) program.menu->SetGameWindows(program.puzzle1.get(), program.puzzle2.get());
    return program;
}

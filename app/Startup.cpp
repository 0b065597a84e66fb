#include "app/Startup.h"

#include "app/MainMenu.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/Application.h"
#include "shell/HelpViewer.h"
#include "shell/Look.h"
#include "shell/MessageBoxes.h"
#include "shell/Seams.h"
#include "shell/SoundCues.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Creates one of the start-up objects; an error in its creation is shown and start-up goes on.
template <class T, class... Args>
std::unique_ptr<T> Create(Args&&... args)
{
    std::unique_ptr<T> object;
    RunGuarded([&] { object = std::make_unique<T>(std::forward<Args>(args)...); });
    return object;
}

// Finishes start-up once the watched window has been painted.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, StartedProgram* program) : program_(program) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint has reached the screen.
            QTimer::singleShot(0, this, [this] { program_->Finish(); });
        }
        return false;
    }

private:
    StartedProgram* program_;
};

}  // namespace

ProgramSeams::ProgramSeams()
    : messages_(std::make_unique<qx::QtMessageBoxes>()),
      sounds_(std::make_unique<qx::SoundCues>()),
      help_(std::make_unique<qx::TextHelpViewer>())
{
    qx::InstallMessages(messages_.get());
    qx::InstallSounds(sounds_.get());
    qx::InstallHelp(help_.get());
}

void ProgramSeams::OpenSounds() { sounds_->Open(); }

ProgramSeams::~ProgramSeams()
{
    qx::InstallHelp(nullptr);
    qx::InstallSounds(nullptr);
    qx::InstallMessages(nullptr);
}

// The windows go before the data module that they read from.
StartedProgram::~StartedProgram()
{
    firstPaint.reset();
    records.reset();
    puzzle2.reset();
    puzzle1.reset();
    menu.reset();
    dataModule.reset();
}

void StartedProgram::Finish()
{
    if (finished_) return;
    finished_ = true;
    const auto done = [this](const char* step) {
        if (reached) reached(step);
    };
    if (dataModule) RunGuarded([this] { dataModule->OpenDatabase(); });
    done("database");
    puzzle1 = Create<TForm2>();
    done("Puzzle I window");
    puzzle2 = Create<TForm3>();
    done("Puzzle II window");
    records = Create<TForm4>(RecordContext{});  // never shown: it lists no table
    done("record window");
    if (dataModule) {
        for (TGameWindow* game : {static_cast<TGameWindow*>(puzzle1.get()), static_cast<TGameWindow*>(puzzle2.get())})
            if (game) game->KeepGamesIn(&dataModule->KeptGames());
    }
    if (menu) menu->SetGameWindows(puzzle1.get(), puzzle2.get());
    if (seams) seams->OpenSounds();
    done("sounds");
}

std::unique_ptr<StartedProgram> StartProgram(ProgramSeams* seams, const std::function<void(const char* step)>& reached)
{
    auto program = std::make_unique<StartedProgram>();
    program->reached = reached;
    program->seams = seams;
    const auto done = [&](const char* step) {
        if (reached) reached(step);
    };
    qx::InstallFontSubstitutions();
    done("fonts");
    program->dataModule = Create<TDataModule1>(nullptr, TDataModule1::Opening::Later);
    done("data module");
    program->menu = Create<TForm1>();
    done("main menu");
    if (!program->menu) {
        program->Finish();
        return program;
    }
    StartedProgram* started = program.get();
    program->menu->beforeOpeningGame = [started] { started->Finish(); };
    program->firstPaint = std::make_unique<FirstPaintWatch>(program->menu.get(), started);
    program->menu->show();
    done("main menu shown");
    return program;
}

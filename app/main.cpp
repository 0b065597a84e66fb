// The program: the real seams, then start-up, then the event loop.
#include "app/EndSignals.h"
#include "app/MainMenu.h"
#include "app/Startup.h"
#include "shell/Application.h"

#include <QIcon>

int main(int argc, char** argv)
{
    // The toolkit needs argv for its own platform options; the program reads no option itself.
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ＱＸパズル"));
    QGuiApplication::setDesktopFileName(QStringLiteral("qxpuzzle"));
    QApplication::setWindowIcon(ProgramIcon());

    ProgramSeams seams;
    const std::unique_ptr<StartedProgram> program = StartProgram(&seams);
    QuitOnEndSignals(&app);
    return program->menu ? app.exec() : 1;
}

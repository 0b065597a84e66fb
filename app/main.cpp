// The program: the real seams, then start-up, then the event loop.
#include "app/MainMenu.h"
#include "app/Startup.h"
#include "shell/Application.h"
#include "shell/HelpViewer.h"
#include "shell/MessageBoxes.h"
#include "shell/Seams.h"
#include "shell/SoundCues.h"

#include <QIcon>

int main(int argc, char** argv)
{
    // The toolkit needs argv for its own platform options; the program reads no option itself.
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ＱＸパズル"));
    QGuiApplication::setDesktopFileName(QStringLiteral("qxpuzzle"));
    QApplication::setWindowIcon(ProgramIcon());

    qx::QtMessageBoxes messages;
    qx::SoundCues sounds;
    qx::TextHelpViewer help;
    qx::InstallMessages(&messages);
    qx::InstallSounds(&sounds);
    qx::InstallHelp(&help);

    int result = 1;
    {
        const std::unique_ptr<StartedProgram> program = StartProgram();
        if (program->menu) result = app.exec();
    }
    qx::InstallHelp(nullptr);
    qx::InstallSounds(nullptr);
    qx::InstallMessages(nullptr);
    return result;
}

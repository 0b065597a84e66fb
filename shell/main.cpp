// Start-up: the real seams, the fonts, then the data module and the windows in their fixed order.
#include "games/Unit2.h"
#include "games/Unit3.h"
#include "records/RecordWindow.h"
#include "records/DataModule.h"
#include "shell/Application.h"
#include "shell/HelpViewer.h"
#include "shell/Look.h"
#include "shell/MessageBoxes.h"
#include "shell/Seams.h"
#include "shell/SoundCues.h"
#include "shell/Unit1.h"

#include <QIcon>
#include <memory>

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
    qx::InstallFontSubstitutions();

    // data module
    auto dataModule = Create<TDataModule1>();

    auto form1 = Create<TForm1>();
    if (form1) form1->show();

    // Puzzle I window
    auto form2 = Create<TForm2>();

    // Puzzle II window
    auto form3 = Create<TForm3>();

    // record table window
    auto form4 = Create<TForm4>();

    if (form1) form1->SetGameWindows(form2.get(), form3.get());

    const int result = form1 ? app.exec() : 1;
    qx::InstallHelp(nullptr);
    qx::InstallSounds(nullptr);
    qx::InstallMessages(nullptr);
    return result;
}

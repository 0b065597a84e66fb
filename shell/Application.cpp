#include "shell/Application.h"

#include "shell/Seams.h"

void ShowEscapedError(const char* what)
{
    qx::Messages().error(what && *what ? QString::fromUtf8(what) : QStringLiteral("予期しないエラーが発生しました。"));
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Every window keeps its menu bar inside it, also on desktops with a global menu; this also
    // spares start-up the search for a global-menu service on the session bus.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

#include "shell/Application.h"

#include "shell/Seams.h"

void ShowEscapedError(const char* what)
{
    qx::Messages().error(what && *what ? QString::fromUtf8(what)
                                       : QStringLiteral("予期しないエラーが発生しました。"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

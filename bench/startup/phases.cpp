// Where start-up spends its time: each step of StartProgram, then the event loop until the menu
// is painted and until the first cue has started. Run under an X server (Xvfb) from a directory
// where oto/ resolves, as measure.sh does.
#include "app/MainMenu.h"
#include "app/Startup.h"
#include "shell/Application.h"
#include "shell/Look.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <cstdio>

namespace {

QElapsedTimer clock_;
qint64 last_ = 0;

void Step(const char* name)
{
    const qint64 now = clock_.nsecsElapsed();
    std::printf("%-28s %7.2f ms  (at %7.2f)\n", name, (now - last_) / 1e6, now / 1e6);
    last_ = now;
}

// Notes the first paint of the main menu.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->objectName() == QLatin1String("Form1")) {
            painted = true;
            QMetaObject::invokeMethod(
                this, [] { Step("first paint of the menu"); }, Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    clock_.start();
    TApplication app(argc, argv);
    Step("application object");
    ProgramSeams seams;
    Step("seams");
    FirstPaint paint;
    app.installEventFilter(&paint);
    if (argc > 1 && QByteArray(argv[1]) == "--fonts-first") {
        // Splits the fonts off the windows that first use them.
        QFontDatabase::families();
        Step("font database");
        qx::InstallFontSubstitutions();
        for (const QString& family : {qx::PGothic, qx::UiGothic, qx::MaruGothic})
            QFontMetrics(qx::UiFont(family, 16, true)).horizontalAdvance(QStringLiteral("メニュー記録表"));
        Step("window fonts");
        QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("ヘルプ終了"));
        Step("default font");
        ProgramIcon();
        Step("program icon");
    }
    {
        const std::unique_ptr<StartedProgram> program = StartProgram(&seams, Step);
        QElapsedTimer wait;
        wait.start();
        while (!paint.painted && wait.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        wait.restart();
        while (wait.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        Step("one more second of events");
    }
    return 0;
}

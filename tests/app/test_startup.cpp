// Start-up as the program runs it: the data module, then the menu, then the two game windows,
// each asking for its cue, and the record window; only the menu is shown.
#include "app/MainMenu.h"
#include "app/Startup.h"
#include "core/GameState.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/Application.h"
#include "support/Doubles.h"

#include <QDir>
#include <QFile>
#include <QProxyStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace qx;
using namespace qx::test;

// Start-up in a fresh working directory with the test doubles of the seams; `steps` are the
// steps of start-up in the order they were done.
struct Started {
    QTemporaryDir dir;
    bool inDir = QDir::setCurrent(dir.path());
    bool reset = (ResetGameState(), true);
    FakeSounds sounds;
    FakeMessages boxes;
    QStringList steps;
    std::unique_ptr<StartedProgram> program = StartProgram(nullptr, [this](const char* step) { steps << step; });
};

const QStringList WindowsInOrder{"Puzzle I window", "Puzzle II window", "record window"};

// Whether an image-format plugin has been loaded into this process.
bool ImagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // First, while nothing else has read an image: start-up loads no image plugin (a menu bar
    // asks the style for its overflow icon, read only when drawn), and the icon looks as the
    // style's own.
    void noImagePluginAtStartUp()
    {
        Started started;
        QTRY_VERIFY(started.program->Finished());
        QVERIFY(!ImagePluginLoaded());
        auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        const auto which = QStyle::SP_ToolBarHorizontalExtensionButton;
        QCOMPARE(style->standardIcon(which).pixmap(16).toImage(),
                 style->baseStyle()->standardIcon(which).pixmap(16).toImage());
        QVERIFY(ImagePluginLoaded());
    }

    void cuesInCreationOrder()
    {
        Started started;
        FakeSounds& sounds = started.sounds;
        FakeMessages& boxes = started.boxes;
        const std::unique_ptr<StartedProgram>& program = started.program;
        QVERIFY(program->dataModule && program->menu);
        QCOMPARE(DataModule1(), program->dataModule.get());
        // The menu is on screen before the other windows are made; they follow its first paint.
        QCOMPARE(sounds.ids, QList<int>{7});
        QVERIFY(program->menu->isVisible());
        QTRY_VERIFY(program->Finished());
        QVERIFY(program->puzzle1 && program->puzzle2 && program->records);
        QCOMPARE(sounds.ids, (QList<int>{7, 6, 6}));
        QCOMPARE(started.steps.filter(QStringLiteral(" window")), WindowsInOrder);

        // Only the menu is visible, and nothing was asked of the player.
        QVERIFY(!program->puzzle1->isVisible());
        QVERIFY(!program->puzzle2->isVisible());
        QVERIFY(!program->records->isVisible());
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(QFile::exists(QStringLiteral("data/kiroku.sqlite")));
    }

    // A game opened before the menu was painted (an Enter press right after start) still finds
    // its window, made on the spot in the designed order.
    void gameOpenedAtOnce()
    {
        Started started;
        FakeSounds& sounds = started.sounds;
        const std::unique_ptr<StartedProgram>& program = started.program;
        QTimer::singleShot(0, [&] {
            QVERIFY(program->puzzle2 && program->puzzle2->isVisible());
            QVERIFY(!program->puzzle1->isVisible());
            program->puzzle2->close();
        });
        program->menu->OpenPuzzle2();
        QCOMPARE(sounds.ids.mid(0, 3), (QList<int>{7, 6, 6}));
        QCOMPARE(started.steps.filter(QStringLiteral(" window")), WindowsInOrder);
    }

    // Every window keeps its size without maximize, looks the same on a dark desktop as on a
    // light one, and a game window opened from the menu is transient for the menu.
    void windowsOnEveryDesktop_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("menu") << 0;
        QTest::newRow("Puzzle I") << 1;
        QTest::newRow("Puzzle II") << 2;
        QTest::newRow("records") << 3;
    }
    void windowsOnEveryDesktop()
    {
        QFETCH(int, window);
        // A desktop palette reaches the windows made after it (the test runs no event loop that
        // would pass on a later change): the program is started once on each desktop.
        const auto grabbed = [window](const QPalette& desktop) {
            const QPalette before = QApplication::palette();
            QApplication::setPalette(desktop);
            Started started;
            QTRY_VERIFY_WITH_TIMEOUT(started.program->Finished(), 5000);
            StartedProgram& program = *started.program;
            TFormBase* const windows[] = {program.menu.get(), program.puzzle1.get(), program.puzzle2.get(),
                                          program.records.get()};
            TFormBase* form = windows[window];
            form->ensurePolished();
            form->adjustSize();
            QVERIFY(form->isWindow());
            QVERIFY(!(form->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint)));
            QCOMPARE(form->minimumSize(), form->maximumSize());
            form->StatusPanels()->SetPanelText(1, QStringLiteral("12/31  11:59 PM"));  // the same clock
            *imageOf(window) = form->grab().toImage();
            QApplication::setPalette(before);
        };
        grabbed(QApplication::palette());
        const QImage light = *imageOf(window);
        grabbed(QPalette(Qt::white, QColor(53, 53, 53), QColor(90, 90, 90), QColor(20, 20, 20), QColor(40, 40, 40),
                         Qt::white, Qt::white, QColor(25, 25, 25), QColor(53, 53, 53)));
        QVERIFY(!light.isNull());
        QCOMPARE(*imageOf(window), light);
    }

    // A game window opened from the menu is transient for the menu, not for a hidden leader.
    void gameWindowAboveMenu()
    {
        Started started;
        QTRY_VERIFY(started.program->Finished());
        StartedProgram& program = *started.program;
        for (TFormBase* game :
             {static_cast<TFormBase*>(program.puzzle1.get()), static_cast<TFormBase*>(program.puzzle2.get())}) {
            QWindow* transientFor = nullptr;
            QTimer::singleShot(0, game, [&] {
                transientFor = game->windowHandle()->transientParent();
                game->close();
            });
            game == program.puzzle1.get() ? program.menu->OpenPuzzle1() : program.menu->OpenPuzzle2();
            QVERIFY(transientFor);
            QCOMPARE(transientFor, program.menu->windowHandle());
        }
    }

private:
    static QImage* imageOf(int window)
    {
        static QImage images[4];
        return &images[window];
    }
};

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_startup.moc"

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

using namespace qx;
using namespace qx::test;

// Start-up in a fresh working directory with the test doubles of the seams.
struct Started {
    QTemporaryDir dir;
    bool inDir = QDir::setCurrent(dir.path());
    bool reset = (ResetGameState(), true);
    FakeSounds sounds;
    FakeMessages boxes;
    std::unique_ptr<StartedProgram> program = StartProgram();
};

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
        QCOMPARE(GameState.ActiveGame, 2);

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
            program->puzzle2->close();
        });
        program->menu->CuteButton3Click();
        QCOMPARE(sounds.ids.mid(0, 3), (QList<int>{7, 6, 6}));
        QCOMPARE(GameState.ActiveGame, 2);
    }
};

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_startup.moc"

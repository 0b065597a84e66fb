// Start-up as the program does it: the menu first, then the two game windows, each asking for its cue.
#include "core/GameState.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "shell/Unit1.h"
#include "support/Doubles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qx;
using namespace qx::test;

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void cuesInCreationOrder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        ResetGameState();
        FakeSounds sounds;
        FakeMessages boxes;

        TForm1 form1;
        form1.show();
        QCOMPARE(sounds.ids, QList<int>{7});
        TForm2 form2;
        QCOMPARE(sounds.ids, (QList<int>{7, 6}));
        TForm3 form3;
        QCOMPARE(sounds.ids, (QList<int>{7, 6, 6}));
        QCOMPARE(GameState.ActiveGame, 2);
        form1.SetGameWindows(&form2, &form3);

        // Only the menu is visible, and nothing was asked of the player.
        QVERIFY(form1.isVisible());
        QVERIFY(!form2.isVisible());
        QVERIFY(!form3.isVisible());
        QVERIFY(boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"

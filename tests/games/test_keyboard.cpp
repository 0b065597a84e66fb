// Keyboard play: a whole game of each type from F6 to completion with keys alone, a refused swap
// and an unselect on the way, and what a screen reader is told about the cursor and the status.
#include "Puzzle1Support.h"
#include "Puzzle2Support.h"
#include "games/BoardCursor.h"
#include "shell/ColoredButton.h"
#include "support/Doubles.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <memory>

using namespace qx::test;

namespace {

const QMap<QString, Qt::Key> Keys{
    {"F6", Qt::Key_F6},        {"Space", Qt::Key_Space}, {"Enter", Qt::Key_Return}, {"BackSpace", Qt::Key_Backspace},
    {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right}, {"Down", Qt::Key_Down},    {"Tab", Qt::Key_Tab},
    {"Escape", Qt::Key_Escape}};

// Focus events that screen readers would hear, by the name of the object that has the focus.
QStringList focusHeard;

void Heard(QAccessibleEvent& event)
{
    if (event.type() != QAccessible::Focus || !event.accessibleInterface()) return;
    focusHeard << (event.object() ? event.object()->objectName() : QString());
}

QString FocusedCellName(QWidget* window)
{
    QAccessibleInterface* cursor = QAccessible::queryAccessibleInterface(window->focusWidget());
    QAccessibleInterface* cell = cursor ? cursor->focusChild() : nullptr;
    return cell ? cell->text(QAccessible::Name) + QLatin1Char('|') + cell->text(QAccessible::Description) : QString();
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qx::AccessibilityListener() = Heard; }

    void wholeGameByKeys_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("heardAfterFirstF6");  // cursor cell name|state after each key
        QTest::addColumn<QStringList>("boxes");
        // 2 3 1 → select 1, refused 入れ替え, select 2 and put it back, swap 1 and 3, then 2 and 3.
        QTest::newRow("Puzzle I")
            << 1 << "F6 Space Enter Right Space BackSpace Right Space Enter Left Space Right Space Enter"
            << QStringList{"1行1列 2|", "1行1列 2|選択中", "1行1列 2|選択中", "1行2列 3|入れ替え候補"}
            << QStringList{"始めてもいいですか？", "数字を２つ選んでください。", "完成しました！"};
        // A: 2 1 …, B: 1 2 … → A1 with B1, refused without a pick in B, A2 picked and put back, A2 with B1.
        QTest::newRow("Puzzle II") << 2
                                   << "F6 Space Enter BackSpace Space F6 Space Enter F6 F6 Right Space F6 Space Enter"
                                   << QStringList{"表A 1行1列 2|", "表A 1行1列 2|選択中", "表A 1行1列 2|選択中",
                                                  "表A 1行1列 2|"}
                                   << QStringList{"始めてもいいですか？", "表Ｂの数字を選んでください。",
                                                  "完成しました！"};
    }
    void wholeGameByKeys()
    {
        QFETCH(int, game);
        QFETCH(QString, keys);
        QFETCH(QStringList, heardAfterFirstF6);
        QFETCH(QStringList, boxes);
        FakeMessages messages;
        FakeSounds sounds;
        std::unique_ptr<TGameWindow> window;
        if (game == 1) {
            auto* f = new TForm2;
            window.reset(f);
            StartPuzzle1(f, {2, 3, 1, 4, 5, 6, 7, 8, 9});
        } else {
            auto* f = new TForm3;
            window.reset(f);
            StartPuzzle2(f, {2, 1, 3, 4, 5, 6, 7, 8, 9}, Solved(f));
        }
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->InterruptButton()->setFocus();
        QWidget* before = window->focusWidget();

        QStringList heard;
        for (const QString& key : keys.split(QLatin1Char(' '))) {
            QTest::keyClick(QApplication::focusWidget(), Keys.value(key));
            if (heard.size() < heardAfterFirstF6.size()) heard << FocusedCellName(window.get());
        }
        QCOMPARE(heard, heardAfterFirstF6);
        QCOMPARE(messages.texts(), boxes);
        QVERIFY(window->Model().Finished());
        // The status panel is read as the text it shows.
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(window->StatusPanels());
        QCOMPARE(status->child(0)->text(QAccessible::Name), window->StatusText());
        // Escape leaves the board; the button it came from is disabled now, so the next control takes it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!qobject_cast<TBoardCursor*>(QApplication::focusWidget()));
        QVERIFY(before);
    }

    // F6 walks the tables and back; Tab leaves a table for the control it came from; a click on a
    // cell never takes the focus; the tab chain never visits a table.
    void focusWalk()
    {
        FakeMessages messages;
        FakeSounds sounds;
        TForm3 f;
        StartPuzzle2(&f, {2, 1, 3, 4, 5, 6, 7, 8, 9}, Solved(&f));
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.InterruptButton()->setFocus();
        QStringList walk;
        for (const char* key : {"F6", "F6", "F6", "F6", "Tab"}) {
            QTest::keyClick(QApplication::focusWidget(), Keys.value(QLatin1String(key)));
            walk << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walk, (QStringList{"boardCursorA", "boardCursorB", "CuteButton4", "boardCursorA", "CuteButton4"}));
        ClickCell(&f, TForm3::TableA, 3);
        QCOMPARE(QApplication::focusWidget(), f.InterruptButton());
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(!qobject_cast<TBoardCursor*>(QApplication::focusWidget()));
        }
        // The window's focus is told to screen readers when the window opens.
        focusHeard.clear();
        f.hide();
        f.show();
        QTRY_COMPARE(focusHeard, QStringList{f.focusWidget()->objectName()});
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"

// Behaviour both game windows share, run once per window adapter: the button states and their
// transitions, the start question, the elapsed-time display and reopening a window.
#include "GameWindowAdapter.h"
#include "support/ActiveBoard.h"
#include "support/Doubles.h"
#include "support/SaidTexts.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "shell/ColoredButton.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace qx;
namespace said = qx::test::said;
using qx::test::CellCount;
using qx::test::FakeMessages;
using qx::test::FakeSounds;

Q_DECLARE_METATYPE(QList<int>)

namespace {

GameWindowAdapter& AdapterAt(int i) { return *Adapters()[size_t(i)]; }

std::unique_ptr<TGameWindow> Create(const GameWindowAdapter& a)
{
    ResetGameState();
    auto w = a.create();
    w->show();
    return w;
}

void Trigger(TGameWindow* w, const QString& action)
{
    auto* act = w->findChild<QAction*>(action);
    QVERIFY2(act, qPrintable(action));
    act->trigger();
}

QPoint PosOf(const qx::test::Box& box) { return box.pos.value_or(QPoint(-1, -1)); }

bool AllEmpty(const QStringList& texts)
{
    for (const QString& t : texts)
        if (!t.isEmpty()) return false;
    return true;
}

}  // namespace

class TestGameWindow : public QObject {
    Q_OBJECT
private slots:
    void stateTable_data();
    void stateTable();
    void startQuestion_data();
    void startQuestion();
    void elapsedTime_data();
    void elapsedTime();
    void reopenKeepsOwnGame_data();
    void reopenKeepsOwnGame();
};

void TestGameWindow::stateTable_data()
{
    QTest::addColumn<int>("adapter");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("event");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("timerRunning");
    QTest::addColumn<bool>("boardEmpty");
    QTest::addColumn<QList<int>>("cues");

    const QString idle = QStringLiteral("100000"), playing = QStringLiteral("001101"),
                  interrupted = QStringLiteral("000011"), ended = QStringLiteral("110000");
    for (int i = 0; i < int(Adapters().size()); ++i) {
        const QByteArray n = Adapters()[size_t(i)]->name().toUtf8() + "/";
        auto row = [&](const char* tag) { return &QTest::newRow((n + tag).constData()); };
        *row("idle: new problem, OK") << i << "Idle"
                                      << "new" << true << playing << said::Started << true << false << QList<int>{7, 1};
        *row("idle: new problem, cancelled") << i << "Idle"
                                             << "new" << false << idle << said::Idle << false << false << QList<int>{7};
        *row("ended: new problem, cancelled")
            << i << "Ended"
            << "new" << false << ended << said::Ended << false << false << QList<int>{7};
        *row("ended: same problem, OK") << i << "Ended"
                                        << "same" << true << playing << said::Started << true << false
                                        << QList<int>{7, 1};
        *row("playing: interrupt") << i << "Playing"
                                   << "interrupt" << true << interrupted << said::Interrupted << false << false
                                   << QList<int>{1};
        *row("interrupted: resume") << i << "Interrupted"
                                    << "resume" << true << playing << said::Resumed << true << false << QList<int>{1};
        *row("playing: cancel, OK") << i << "Playing"
                                    << "cancel" << true << ended << said::Ended << false << true << QList<int>{9};
        *row("playing: cancel, キャンセル")
            << i << "Playing"
            << "cancel" << false << playing << said::Started << true << false << QList<int>{};
        *row("interrupted: cancel, OK") << i << "Interrupted"
                                        << "cancel" << true << ended << said::Ended << false << true << QList<int>{9};
        *row("playing: condition menu") << i << "Playing"
                                        << "condition" << true << playing << said::Started << false << true
                                        << QList<int>{1};
        *row("playing: size menu") << i << "Playing"
                                   << "size" << true << idle << said::Idle << false << true << QList<int>{1};
        *row("playing: completing swap") << i << "Playing"
                                         << "complete" << true << ended << said::Ended << false << false
                                         << QList<int>{4};
    }
}

void TestGameWindow::stateTable()
{
    QFETCH(int, adapter);
    QFETCH(QString, from);
    QFETCH(QString, event);
    QFETCH(bool, answer);
    QFETCH(QString, pattern);
    QFETCH(QString, status);
    QFETCH(bool, timerRunning);
    QFETCH(bool, boardEmpty);
    QFETCH(QList<int>, cues);

    FakeMessages messages;
    FakeSounds sounds;
    const GameWindowAdapter& a = AdapterAt(adapter);
    auto w = Create(a);

    if (from != QLatin1String("Idle")) {
        a.layOutNearlySolved(w.get());
        if (from == QLatin1String("Interrupted")) QTest::mouseClick(w->InterruptButton(), Qt::LeftButton);
        if (from == QLatin1String("Ended")) a.playCompletingSwap(w.get());
    }
    QCOMPARE(w->ButtonPattern(), from == QLatin1String("Idle")      ? QStringLiteral("100000")
                                 : from == QLatin1String("Playing") ? QStringLiteral("001101")
                                 : from == QLatin1String("Ended")   ? QStringLiteral("110000")
                                                                    : QStringLiteral("000011"));

    sounds.ids.clear();
    messages.answers = {answer};
    if (event == QLatin1String("new")) QTest::mouseClick(w->NewProblemButton(), Qt::LeftButton);
    if (event == QLatin1String("same")) QTest::mouseClick(w->SameProblemButton(), Qt::LeftButton);
    if (event == QLatin1String("interrupt")) QTest::mouseClick(w->InterruptButton(), Qt::LeftButton);
    if (event == QLatin1String("resume")) QTest::mouseClick(w->ResumeButton(), Qt::LeftButton);
    if (event == QLatin1String("cancel")) QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    if (event == QLatin1String("condition")) Trigger(w.get(), a.conditionAction(int(SwapCondition::OddEven)));
    if (event == QLatin1String("size")) Trigger(w.get(), a.sizeAction(int(BoardSize::Cells16)));
    if (event == QLatin1String("complete")) {
        a.playCompletingSwap(w.get());
        sounds.ids = sounds.ids.mid(sounds.ids.lastIndexOf(4));
    }

    QCOMPARE(w->ButtonPattern(), pattern);
    QCOMPARE(w->StatusText(), status);
    QCOMPARE(w->PlayClock()->isActive(), timerRunning);
    QCOMPARE(AllEmpty(a.numbers(w.get())), boardEmpty);
    QCOMPARE(sounds.ids, cues);
    if (boardEmpty) {
        QCOMPARE(GameState.SwapCount[(int(w->Model().Type()) - 1)], 0);
        QCOMPARE(GameState.ElapsedSeconds[(int(w->Model().Type()) - 1)], 0);
        QVERIFY(w->CountDisplay()->text().isEmpty());
        QVERIFY(w->TimeDisplay()->text().isEmpty());
    }
    if (event == QLatin1String("cancel"))
        QCOMPARE(messages.last().text, QStringLiteral("この問題をキャンセルしてもいいですか？\r\n\r\n"));
    if (event == QLatin1String("condition")) QCOMPARE(w->ConditionLabel()->text(), QStringLiteral("（奇数偶数）"));
    if (event == QLatin1String("size")) QCOMPARE(CellCount(), 16);
    if (event == QLatin1String("complete")) {
        QCOMPARE(GameState.Finished, 1);
        QCOMPARE(messages.last().text, QStringLiteral("完成しました！"));
        QCOMPARE(PosOf(messages.last()), a.completedPos());
        QCOMPARE(w->CountDisplay()->text(), QStringLiteral("1"));
    }
}

void TestGameWindow::startQuestion_data()
{
    QTest::addColumn<int>("adapter");
    QTest::addColumn<bool>("answer");
    for (int i = 0; i < int(Adapters().size()); ++i) {
        const QByteArray n = Adapters()[size_t(i)]->name().toUtf8();
        QTest::newRow((n + "/OK").constData()) << i << true;
        QTest::newRow((n + "/キャンセル").constData()) << i << false;
    }
}

// The question comes after cue 7 with both displays emptied; Cancel leaves the problem on the
// board and Finished as it was.
void TestGameWindow::startQuestion()
{
    QFETCH(int, adapter);
    QFETCH(bool, answer);
    FakeMessages messages;
    FakeSounds sounds;
    const GameWindowAdapter& a = AdapterAt(adapter);
    auto w = Create(a);
    a.layOutNearlySolved(w.get());
    a.playCompletingSwap(w.get());  // Ended, Finished = 1, count shown
    QCOMPARE(GameState.Finished, 1);

    bool displaysEmpty = false;
    int cueBefore = 0;
    messages.whileOpen = [&](const qx::test::Box&) {
        displaysEmpty = w->CountDisplay()->text().isEmpty() && w->TimeDisplay()->text().isEmpty();
        cueBefore = sounds.ids.isEmpty() ? 0 : sounds.ids.last();
    };
    messages.answers = {answer};
    messages.boxes.clear();
    w->SameProblemButton()->setFocus();
    QTest::mouseClick(w->SameProblemButton(), Qt::LeftButton);

    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.last().kind, qx::test::Box::Confirm);
    QCOMPARE(messages.last().text, QStringLiteral("始めてもいいですか？"));
    QCOMPARE(PosOf(messages.last()), a.confirmStartPos());
    QVERIFY(displaysEmpty);
    QCOMPARE(cueBefore, 7);
    QVERIFY(!AllEmpty(a.numbers(w.get())));
    QCOMPARE(GameState.Finished, answer ? 0 : 1);
    QCOMPARE(w->ButtonPattern(), answer ? QStringLiteral("001101") : QStringLiteral("110000"));
    // The switched-off button does not hand its focus to a display.
    QVERIFY(!qobject_cast<QLineEdit*>(w->focusWidget()));
}

void TestGameWindow::elapsedTime_data()
{
    QTest::addColumn<int>("adapter");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    for (int i = 0; i < int(Adapters().size()); ++i) {
        const QByteArray n = Adapters()[size_t(i)]->name().toUtf8();
        QTest::newRow((n + "/59").constData()) << i << 59 << QStringLiteral("0分59秒");
        QTest::newRow((n + "/60").constData()) << i << 60 << QStringLiteral("1分0秒");
        QTest::newRow((n + "/65").constData()) << i << 65 << QStringLiteral("1分5秒");
        QTest::newRow((n + "/3600").constData()) << i << 3600 << QStringLiteral("60分0秒");
    }
}

void TestGameWindow::elapsedTime()
{
    QFETCH(int, adapter);
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    FakeMessages messages;
    FakeSounds sounds;
    auto w = Create(AdapterAt(adapter));
    AdapterAt(adapter).layOutNearlySolved(w.get());
    const int other = 1 - (int(w->Model().Type()) - 1);
    GameState.ElapsedSeconds[other] = 7;
    for (int t = 0; t < ticks; ++t) w->OnSecond();
    QCOMPARE(w->TimeDisplay()->text(), shown);
    QCOMPARE(GameState.ElapsedSeconds[(int(w->Model().Type()) - 1)], ticks);
    QCOMPARE(GameState.ElapsedSeconds[other], 7);  // the other game's clock is its own
}

void TestGameWindow::reopenKeepsOwnGame_data()
{
    QTest::addColumn<int>("adapter");
    for (int i = 0; i < int(Adapters().size()); ++i)
        QTest::newRow(Adapters()[size_t(i)]->name().toUtf8().constData()) << i;
}

// A 16-cell RowAdvance game left running while the menu resets size and condition and the other
// game overwrites the shared problem: shown again, board, GameState and CellMap agree again.
void TestGameWindow::reopenKeepsOwnGame()
{
    QFETCH(int, adapter);
    FakeMessages messages;
    FakeSounds sounds;
    const GameWindowAdapter& a = AdapterAt(adapter);
    auto w = Create(a);
    Trigger(w.get(), a.sizeAction(int(BoardSize::Cells16)));
    Trigger(w.get(), a.conditionAction(int(SwapCondition::RowAdvance)));
    QTest::mouseClick(w->NewProblemButton(), Qt::LeftButton);
    a.pickOne(w.get());
    w->OnSecond();

    const QStringList board = a.numbers(w.get());
    const TGameState before = GameState;
    Trigger(w.get(), a.backAction());
    QVERIFY(!w->isVisible());

    // The main menu and the other game in the meantime.
    GameState.ActiveSize = int(BoardSize::Cells9);
    GameState.ActiveCondition = int(SwapCondition::FreeSwap);
    BuildCellMap(GameState.CellMap, BoardSize(GameState.ActiveSize));
    GameState.StartNumbersA.fill("1");
    GameState.ProblemCodeA = "010203040506070809";
    GameState.StartNumbersB.fill("2");
    GameState.ProblemCodeB = "0201";
    GameState.Finished = 1;
    GameState.FirstIndex = 0;
    GameState.SecondIndex = 0;

    QTimer::singleShot(0, w.get(), [&] { w->close(); });
    w->ShowModal();

    QCOMPARE(GameState.ActiveGame, int(w->Model().Type()));
    QCOMPARE(GameState.ActiveSize, int(BoardSize::Cells16));
    QCOMPARE(GameState.ActiveCondition, int(SwapCondition::RowAdvance));
    QCOMPARE(GameState.CellMap[4], 6);    // BoardIndex 5 of 16 cells
    QCOMPARE(GameState.CellMap[15], 19);  // BoardIndex 16
    QVERIFY(GameState.StartNumbersA == before.StartNumbersA);
    QVERIFY(GameState.StartNumbersB == before.StartNumbersB);
    QVERIFY(GameState.ProblemCodeA == before.ProblemCodeA);
    QVERIFY(GameState.ProblemCodeB == before.ProblemCodeB);
    QCOMPARE(GameState.Finished, 0);
    QCOMPARE(GameState.FirstIndex, before.FirstIndex);
    QCOMPARE(GameState.SecondIndex, before.SecondIndex);
    QCOMPARE(a.numbers(w.get()), board);
    QCOMPARE(w->ConditionLabel()->text(), QStringLiteral("（行の前進）"));
    QCOMPARE(w->ButtonPattern(), QStringLiteral("001101"));
    QVERIFY(w->PlayClock()->isActive());
    QCOMPARE(GameState.ElapsedSeconds[(int(w->Model().Type()) - 1)], 1);
}

QTEST_MAIN(TestGameWindow)
#include "test_game_window.moc"

// Behaviour both game windows share, run once per window adapter: the button states and their
// transitions, the start question, the elapsed-time display, reopening a window, and the designed
// record that the windows keep as their models report.
#include "GameWindowAdapter.h"
#include "support/Doubles.h"
#include "support/SaidTexts.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/ColoredButton.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

using namespace qx;
namespace said = qx::test::said;
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

// The other game played to completion on 9 cells under free swaps, as between two showings.
void PlayOtherGame(int adapter)
{
    const GameWindowAdapter& other = AdapterAt(1 - adapter);
    auto w = other.create();
    w->show();
    other.layOutNearlySolved(w.get());
    other.swapFirstCells(w.get());
}

std::string Text(int number) { return number ? std::to_string(number) : std::string(); }

void CheckNumbers(const std::array<std::string, 25>& shared, const Table& numbers)
{
    for (size_t i = 0; i < shared.size(); ++i)
        QCOMPARE(shared[i], i < numbers.size() ? Text(numbers[i]) : std::string());
}

// Every field of the designed record against the model, with the size `recorded`: the cell map
// of that size, its entries beyond it those of the model's size.
void CheckMirrors(const Game& m, BoardSize recorded)
{
    const TGameState& s = GameState;
    const size_t slot = size_t(m.Type()) - 1;
    QCOMPARE(s.ActiveGame, int(m.Type()));
    QCOMPARE(s.ActiveSize, int(recorded));
    QCOMPARE(s.ActiveCondition, int(m.Condition()));
    for (int k = 1; k <= std::max(m.Cells(), CellCount(recorded)); ++k)
        QCOMPARE(s.CellMap[k - 1], LayoutPositionOf(k, k <= CellCount(recorded) ? recorded : m.Size()));
    QCOMPARE(s.FirstNumber, Text(m.Picks().firstNumber));
    QCOMPARE(s.SecondNumber, Text(m.Picks().secondNumber));
    QCOMPARE(s.FirstIndex, m.Picks().firstIndex);
    QCOMPARE(s.SecondIndex, m.Picks().secondIndex);
    QCOMPARE(s.SwapCount[slot], m.SwapCount());
    QCOMPARE(s.ElapsedSeconds[slot], m.ElapsedSeconds());
    CheckNumbers(s.StartNumbersA, m.Problem().startA);
    CheckNumbers(s.StartNumbersB, m.Problem().startB);
    QCOMPARE(s.ProblemCodeA, m.Problem().codeA);
    QCOMPARE(s.ProblemCodeB, m.Problem().codeB);
    QCOMPARE(s.Finished, int(m.Finished()));
    QCOMPARE(s.StoredProblemPending, 0);
}

// 記 録 of the game in play, then 問題表示 of a problem stored under 行の前進, on a data module of
// its own. While the record window holds the problem, the record has it as handed over.
void HandOverStoredProblem(TGameWindow* w)
{
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    TDataModule1 module;
    NewRecord stored;
    stored.condition = SwapCondition::RowAdvance;
    stored.codeA = QStringLiteral("040908020705030106");
    stored.codeB = QStringLiteral("090807060504030201");
    QVERIFY(module.Store().Add(w->Model().Type(), BoardSize::Cells9, stored).added);
    QTimer::singleShot(0, w, [w] {
        auto* form = w->findChild<TForm4*>();
        QVERIFY(form);
        form->NameEdit()->setText(QStringLiteral("A"));
        form->OnRecord();  // an unfinished game: its counters stay in the record as they run
        CheckMirrors(w->Model(), w->Model().Size());
        form->RecordGrid()->setCurrentIndex(form->RecordGrid()->model()->index(1, 0));  // 401, after 101
        form->OnShowProblem();
        QVERIFY(form->HandedOver());
        const HandedProblem& handed = *form->HandedOver();
        // A Puzzle I problem leaves table B's entries as they were.
        const GameProblem& b = handed.problem.codeB.empty() ? w->Model().Problem() : handed.problem;
        QCOMPARE(GameState.StoredProblemPending, 1);
        QCOMPARE(GameState.ActiveCondition, int(handed.condition));
        QCOMPARE(GameState.ProblemCodeA, handed.problem.codeA);
        CheckNumbers(GameState.StartNumbersA, handed.problem.startA);
        QCOMPARE(GameState.ProblemCodeB, b.codeB);
        CheckNumbers(GameState.StartNumbersB, b.startB);
    });
    w->OpenRecords();
    QDir::setCurrent(QDir::tempPath());
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
    void recordMirrorsModel_data();
    void recordMirrorsModel();
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
        if (from == QLatin1String("Ended")) a.swapFirstCells(w.get());
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
        a.swapFirstCells(w.get());
        sounds.ids = sounds.ids.mid(sounds.ids.lastIndexOf(4));
    }

    QCOMPARE(w->ButtonPattern(), pattern);
    QCOMPARE(w->StatusText(), status);
    QCOMPARE(w->PlayClock()->isActive(), timerRunning);
    QCOMPARE(AllEmpty(a.numbers(w.get())), boardEmpty);
    QCOMPARE(sounds.ids, cues);
    if (boardEmpty) {
        QCOMPARE(w->Model().SwapCount(), 0);
        QCOMPARE(w->Model().ElapsedSeconds(), 0);
        QVERIFY(w->CountDisplay()->text().isEmpty());
        QVERIFY(w->TimeDisplay()->text().isEmpty());
    }
    if (event == QLatin1String("cancel"))
        QCOMPARE(messages.last().text, QStringLiteral("この問題をキャンセルしてもいいですか？\r\n\r\n"));
    if (event == QLatin1String("condition")) QCOMPARE(w->ConditionLabel()->text(), QStringLiteral("（奇数偶数）"));
    if (event == QLatin1String("size")) QCOMPARE(w->Model().Cells(), 16);
    if (event == QLatin1String("complete")) {
        QVERIFY(w->Model().Finished());
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
    a.swapFirstCells(w.get());  // Ended, finished, count shown
    QVERIFY(w->Model().Finished());

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
    QCOMPARE(w->Model().Finished(), !answer);
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
    for (int t = 0; t < ticks; ++t) w->OnSecond();
    QCOMPARE(w->TimeDisplay()->text(), shown);
    QCOMPARE(w->Model().ElapsedSeconds(), ticks);
}

void TestGameWindow::reopenKeepsOwnGame_data()
{
    QTest::addColumn<int>("adapter");
    for (int i = 0; i < int(Adapters().size()); ++i)
        QTest::newRow(Adapters()[size_t(i)]->name().toUtf8().constData()) << i;
}

// A 16-cell RowAdvance game left running while the other game is played: shown again, it goes
// on with its own board, problem, picks and clock.
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
    const GameProblem problem = w->Model().Problem();
    const Selection picks = w->Model().Picks();
    Trigger(w.get(), a.backAction());
    QVERIFY(!w->isVisible());
    PlayOtherGame(adapter);

    QTimer::singleShot(0, w.get(), [&] { w->close(); });
    w->ShowModal();

    const Game& m = w->Model();
    QCOMPARE(m.Size(), BoardSize::Cells16);
    QCOMPARE(m.Condition(), SwapCondition::RowAdvance);
    QCOMPARE(m.Problem().codeA, problem.codeA);
    QCOMPARE(m.Problem().codeB, problem.codeB);
    QVERIFY(!m.Finished());
    QCOMPARE(m.Picks().firstIndex, picks.firstIndex);
    QCOMPARE(m.Picks().secondIndex, picks.secondIndex);
    QCOMPARE(a.numbers(w.get()), board);
    QCOMPARE(w->ConditionLabel()->text(), QStringLiteral("（行の前進）"));
    QCOMPARE(w->ButtonPattern(), QStringLiteral("001101"));
    QVERIFY(w->PlayClock()->isActive());
    QCOMPARE(m.ElapsedSeconds(), 1);
}

void TestGameWindow::recordMirrorsModel_data()
{
    QTest::addColumn<int>("adapter");
    QTest::addColumn<QString>("script");  // actions, see below
    const std::pair<const char*, const char*> rows[] = {
        {"created", ""},
        {"pick", "nearly pick"},
        {"new problem, swap", "new swap"},
        {"completed", "nearly swap"},
        {"size", "nearly 16"},
        {"condition", "nearly rowAdvance"},
        {"clock", "nearly tick tick"},
        {"shown again", "16 rowAdvance new pick tick back overwritten show"},
        {"back", "16 new back"},
        {"stored problem", "new swap tick stored"},
    };
    for (int i = 0; i < int(Adapters().size()); ++i)
        for (const auto& [tag, script] : rows)
            QTest::addRow("%s/%s", qPrintable(Adapters()[size_t(i)]->name()), tag) << i << QString::fromLatin1(script);
}

// The designed record, written by FillGameState() alone, holds after each kind of operation what
// the model reports; the counters of the other game type are its own.
void TestGameWindow::recordMirrorsModel()
{
    QFETCH(int, adapter);
    QFETCH(QString, script);
    FakeMessages messages;  // every question answered OK
    FakeSounds sounds;
    const GameWindowAdapter& a = AdapterAt(adapter);
    auto w = Create(a);
    TGameWindow* g = w.get();
    g->fixedSeed = 5;
    const size_t other = size_t(2 - int(g->Model().Type()));
    const auto otherCounters = [other] { GameState.SwapCount[other] = GameState.ElapsedSeconds[other] = 7; };
    otherCounters();
    const std::map<QString, std::function<void()>> actions{
        {"nearly", [&] { a.layOutNearlySolved(g); }},
        {"new", [&] { g->OnNewProblem(); }},
        {"pick", [&] { a.pickOne(g); }},
        {"swap", [&] { a.swapFirstCells(g); }},
        {"tick", [&] { g->OnSecond(); }},
        {"16", [&] { Trigger(g, a.sizeAction(int(BoardSize::Cells16))); }},
        {"rowAdvance", [&] { Trigger(g, a.conditionAction(int(SwapCondition::RowAdvance))); }},
        {"back", [&] { Trigger(g, a.backAction()); }},
        // Whatever the menu and the other game leave in the record while the window is hidden.
        {"overwritten",
         [&] {
             ResetGameState();
             otherCounters();
         }},
        {"show",
         [&] {
             QTimer::singleShot(0, g, [g] { g->close(); });
             g->ShowModal();
         }},
        {"stored", [&] { HandOverStoredProblem(g); }},
    };
    for (const QString& action : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) actions.at(action)();
    if (QTest::currentTestFailed()) return;
    // Puzzle I's 戻る leaves 9 cells in the record, as the menu does after every game.
    const bool nineCells = script.endsWith(QLatin1String("back")) && g->Model().Type() == GameType::PuzzleI;
    CheckMirrors(g->Model(), nineCells ? BoardSize::Cells9 : g->Model().Size());
    QCOMPARE(GameState.SwapCount[other], 7);
    QCOMPARE(GameState.ElapsedSeconds[other], 7);
}

QTEST_MAIN(TestGameWindow)
#include "test_game_window.moc"

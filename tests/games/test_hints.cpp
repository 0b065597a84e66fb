// The hint menu of both game windows: when a hint may be given, what it selects (exactly what two
// clicks select), following hints from a dealt problem, and what "最短手数" says.
#include "Puzzle1Support.h"
#include "Puzzle2Support.h"
#include "support/Doubles.h"

#include "core/Hints.h"
#include "core/Solver.h"
#include "games/GameSolutions.h"
#include "games/SolverWorker.h"
#include "shell/ColoredButton.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

using namespace qx;
using qx::test::FakeMessages;
using qx::test::FakeSounds;

Q_DECLARE_METATYPE(QList<int>)

namespace {

const char* const SizeItems[2][3] = {{"N3", "N4", "N6"}, {"N4", "N5", "N6"}};
const char* const ConditionItems[2][6] = {{"N8", "N9", "N10", "N11", "N13", "N14"},
                                          {"N8", "N9", "N10", "N11", "N12", "N1tu1"}};

// A game window of either type, shown, at a size and condition, with the seams' doubles.
struct Window {
    FakeMessages messages;
    FakeSounds sounds;
    std::unique_ptr<TGameWindow> form;
    int game;

    Window(int gameType, int size, int condition, unsigned seed = 7) : game(gameType)
    {
        if (game == int(GameType::PuzzleI))
            form = std::make_unique<TForm2>();
        else
            form = std::make_unique<TForm3>();
        form->show();
        Trigger(SizeItems[game - 1][size - 1]);
        Trigger(ConditionItems[game - 1][condition - 1]);
        form->fixedSeed = seed;
        sounds.ids.clear();
    }
    TGameWindow* operator->() const { return form.get(); }

    void Trigger(const char* item) const { form->findChild<QAction*>(QString::fromLatin1(item))->trigger(); }
    // 新しい問題, answered OK.
    void Deal() const { QTest::mouseClick(form->NewProblemButton(), Qt::LeftButton); }
    void Click(int table, int k, Qt::MouseButton button = Qt::LeftButton) const
    {
        if (game == int(GameType::PuzzleI))
            ClickCell(static_cast<TForm2*>(form.get()), k, button);
        else
            ClickCell(static_cast<TForm3*>(form.get()), TForm3::TTable(table), k, button);
    }
    // The board's answer once its search has ended: proven, impossible, or out of the worker's
    // time. The wait is bounded by that time; its guard only catches a search that never ends.
    std::optional<Solution> SettledAnswer() const
    {
        QElapsedTimer waited;
        waited.start();
        while (!form->Solutions()->BoardSettled() && waited.elapsed() < 120000) QTest::qWait(2);
        if (!form->Solutions()->BoardSettled()) return std::nullopt;
        return form->Solutions()->BoardAnswer();
    }
    // Is the settled answer the proven minimum?
    bool Proven() const
    {
        const std::optional<Solution> answer = SettledAnswer();
        return answer && answer->Proven();
    }
    // Has the settled answer a path?
    bool Settled() const
    {
        const std::optional<Solution> answer = SettledAnswer();
        return answer && answer->HasPath();
    }
    int Minimum() const { return int(form->Solutions()->BoardAnswer()->path.size()); }
    // Every cell of every table: number, tile and ink.
    QStringList Looks() const
    {
        QStringList looks;
        for (int t = 0; t < form->Model().Tables(); ++t)
            for (const BoardCell& cell : form->Model().Board(t))
                looks << QStringLiteral("%1:%2%3")
                             .arg(Q(BoardNumberText(cell.number)))
                             .arg(int(cell.tile))
                             .arg(int(cell.ink));
        return looks;
    }
};

// A minimum by the solver itself, for the board of `w` as it stands.
int SolvedMinimum(const Window& w)
{
    const Solution answer = Solve(*BoardPosition(w->Model()), {}, SolverClock::now() + std::chrono::seconds(20));
    return answer.Proven() ? int(answer.path.size()) : -1;
}

}  // namespace

class TestHints : public QObject {
    Q_OBJECT
private slots:
    // A search that cannot prove its board settles on its best way after a few seconds, not 20.
    void initTestCase() { TSolverWorker::Shared().SetWorkPerPosition(std::chrono::seconds(3)); }
    void outsideGame_data();
    void outsideGame();
    void selectsAsClicks_data();
    void selectsAsClicks();
    void shortest_data();
    void shortest();
    void shortestTexts_data();
    void shortestTexts();
    void followToCompletion_data();
    void followToCompletion();
    void parDisplay_data();
    void parDisplay();
};

void TestHints::outsideGame_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("state");
    for (int game : {int(GameType::PuzzleI), int(GameType::PuzzleII)})
        for (const char* state : {"no problem yet", "start question cancelled", "interrupted", "cancelled",
                                  "condition chosen in a game", "completed"})
            QTest::addRow("%s/%s", game == int(GameType::PuzzleI) ? "I" : "II", state)
                << game << QString::fromLatin1(state);
}

// Outside a game a hint is refused with cue 3 and a centred message; nothing else changes.
void TestHints::outsideGame()
{
    QFETCH(int, game);
    QFETCH(QString, state);
    Window w(game, int(BoardSize::Cells9), int(SwapCondition::FreeSwap));
    if (state == "start question cancelled") w.messages.answers = {false};
    if (state != "no problem yet") w.Deal();
    if (state != "no problem yet" && state != "start question cancelled") w.Click(0, 1);
    if (state == "interrupted") QTest::mouseClick(w->InterruptButton(), Qt::LeftButton);
    if (state == "cancelled") QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    if (state == "condition chosen in a game") w.Trigger(ConditionItems[game - 1][int(SwapCondition::OddEven) - 1]);
    if (state == "completed") {
        QVERIFY(w.Proven());
        for (int i = w.Minimum(); i > 0; --i) {
            w.Trigger("nextMoveItem");
            QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        }
        QVERIFY(w->Model().Finished());
    }
    const QStringList looks = w.Looks();
    const QString status = w->StatusText(), pattern = w->ButtonPattern(), count = w->CountDisplay()->text();
    const int boxes = int(w.messages.boxes.size());
    w.sounds.ids.clear();

    w.Trigger("nextMoveItem");

    QCOMPARE(w.sounds.ids, QList<int>{3});
    QCOMPARE(int(w.messages.boxes.size()), boxes + 1);
    QCOMPARE(w.messages.last().kind, qx::test::Box::Plain);
    QCOMPARE(w.messages.last().text, QStringLiteral("ヒントはゲーム中に使えます。"));
    QVERIFY(!w.messages.last().pos);
    QCOMPARE(w.Looks(), looks);
    QCOMPARE(w->StatusText(), status);
    QCOMPARE(w->ButtonPattern(), pattern);
    QCOMPARE(w->CountDisplay()->text(), count);
}

void TestHints::selectsAsClicks_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("condition");
    QTest::addColumn<QList<int>>("before");  // table, cell … clicked before the hint
    QTest::addColumn<QList<int>>("cues");
    QTest::newRow("I/25 free, nothing selected") << int(GameType::PuzzleI) << int(BoardSize::Cells25)
                                                 << int(SwapCondition::FreeSwap) << QList<int>{} << QList<int>{6, 6};
    QTest::newRow("I/16 neighbours, one selected")
        << int(GameType::PuzzleI) << int(BoardSize::Cells16) << int(SwapCondition::Neighbours) << QList<int>{0, 5}
        << QList<int>{6, 6, 6};
    QTest::newRow("I/9 odd with even, two selected")
        << int(GameType::PuzzleI) << int(BoardSize::Cells9) << int(SwapCondition::OddEven) << QList<int>{0, 9, 0, 2}
        << QList<int>{6, 6, 6, 6};
    // Putting a pick back is silent in Puzzle II.
    QTest::newRow("II/9 free, nothing picked") << int(GameType::PuzzleII) << int(BoardSize::Cells9)
                                               << int(SwapCondition::FreeSwap) << QList<int>{} << QList<int>{6, 6};
    QTest::newRow("II/16 free, picked in B") << int(GameType::PuzzleII) << int(BoardSize::Cells16)
                                             << int(SwapCondition::FreeSwap) << QList<int>{1, 4} << QList<int>{6, 6};
    QTest::newRow("II/9 same row or column, picked in both")
        << int(GameType::PuzzleII) << int(BoardSize::Cells9) << int(SwapCondition::SameRowOrColumn)
        << QList<int>{0, 3, 1, 7} << QList<int>{6, 6};
}

// A hint puts back what was selected and selects the next swap of the answer exactly as the
// player's clicks would: the same selection, marks and cues; it neither swaps nor counts.
void TestHints::selectsAsClicks()
{
    QFETCH(int, game);
    QFETCH(int, size);
    QFETCH(int, condition);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, cues);
    Window w(game, size, condition);
    const auto clickBefore = [&] {
        for (int i = 0; i + 1 < before.size(); i += 2) w.Click(before[i], before[i + 1]);
    };
    w.Deal();
    clickBefore();
    QVERIFY(w.Settled());
    const SolverSwap swap = w->Solutions()->BoardAnswer()->path.front();
    const Position board = *BoardPosition(w->Model());
    w.sounds.ids.clear();

    w.Trigger("nextMoveItem");

    QCOMPARE(w.sounds.ids, cues);
    const Selection& picks = w->Model().Picks();
    QCOMPARE(picks.firstIndex, swap.first);
    QCOMPARE(picks.secondIndex, swap.second);
    if (game == int(GameType::PuzzleI))
        QVERIFY(swap.first < swap.second);  // the lower board index first, with its marks
    const QString x = QString::number(board.a[size_t(swap.first - 1)]);
    const QString y = QString::number((game == int(GameType::PuzzleI) ? board.a : board.b)[size_t(swap.second - 1)]);
    QCOMPARE(w->StatusText(),
             game == int(GameType::PuzzleI)
                 ? QStringLiteral("ヒント：%1 と %2 を選びました。「入れ替え」ボタンで入れ替えてください。").arg(x, y)
                 : QStringLiteral("ヒント：表Aの %1 と表Bの %2 を選びました。「入れ替え」ボタンで入れ替えてください。")
                       .arg(x, y));
    QCOMPARE(*BoardPosition(w->Model()), board);
    QVERIFY(w->CountDisplay()->text().isEmpty());
    QVERIFY(w->PlayClock()->isActive());
    QCOMPARE(w->ButtonPattern(), QStringLiteral("001101"));
    const QStringList hinted = w.Looks();

    // The same problem again, and the same by right clicks on what was selected, then two left clicks.
    w->OnSameProblem();
    clickBefore();
    if (game == int(GameType::PuzzleI))
        for (int i = before.size() - 1; i > 0; i -= 2) w.Click(0, before[i], Qt::RightButton);  // the last first
    else
        for (int i = 0; i + 1 < before.size(); i += 2) w.Click(before[i], before[i + 1], Qt::RightButton);
    w.Click(0, swap.first);
    w.Click(game == int(GameType::PuzzleI) ? 0 : 1, swap.second);
    QCOMPARE(w.Looks(), hinted);

    // The selected swap is one the condition allows.
    w.Trigger("nextMoveItem");
    QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
    QCOMPARE(w->CountDisplay()->text(), QStringLiteral("1"));
}

void TestHints::followToCompletion_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("condition");
    // The 9-cell tables of one table are built once, last: the search cannot stop while it builds one.
    for (int game : {int(GameType::PuzzleII), int(GameType::PuzzleI)})
        for (int size : {int(BoardSize::Cells16), int(BoardSize::Cells25), int(BoardSize::Cells9)})
            for (int condition = int(SwapCondition::FreeSwap); condition <= int(SwapCondition::DifferByOne);
                 ++condition)
                QTest::addRow("%s/%d/%s", game == int(GameType::PuzzleI) ? "I" : "II", CellCount(BoardSize(size)),
                              ConditionName(SwapCondition(condition)).c_str())
                    << game << size << condition;
}

// Hints followed from a dealt problem complete it in exactly the swaps of the settled answer, the
// proven minimum where it is proven, and "最短手数" then says so.
void TestHints::followToCompletion()
{
    QFETCH(int, game);
    QFETCH(int, size);
    QFETCH(int, condition);
    Window w(game, size, condition);
    w.Deal();
    const std::optional<Solution> answer = w.SettledAnswer();
    QVERIFY(answer && answer->HasPath());
    const int minimum = w.Minimum();

    for (int swaps = 1; swaps <= minimum; ++swaps) {
        w.Trigger("nextMoveItem");
        QVERIFY(w->StatusText().startsWith(QStringLiteral("ヒント：")));
        QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        QCOMPARE(w->CountDisplay()->text(), QString::number(swaps));
    }
    QVERIFY(w->Model().Finished());
    QCOMPARE(w.messages.last().text, QStringLiteral("完成しました！"));

    w.Trigger("shortestItem");
    const QString played = QStringLiteral("\r\nあなたは %1 回で完成しました。").arg(minimum);
    if (answer->Proven())
        QTRY_COMPARE(w.messages.last().text,
                     QStringLiteral("この問題の最短は %1 回の入れ替えです。").arg(minimum) + played);
    else
        QTRY_COMPARE(w.messages.last().text,
                     QStringLiteral("この問題は %1 回以上の入れ替えが要ります。見つかっている手順は %2 回です。")
                             .arg(answer->lowerBound)
                             .arg(minimum) +
                         played);
}

void TestHints::shortest_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("fromBoard");  // the minimum of the board is named
    for (int game : {int(GameType::PuzzleI), int(GameType::PuzzleII)}) {
        const char* g = game == int(GameType::PuzzleI) ? "I" : "II";
        QTest::addRow("%s/no problem yet", g) << game << "no problem yet" << false;
        QTest::addRow("%s/cancelled", g) << game << "cancelled" << false;
        QTest::addRow("%s/size chosen in a game", g) << game << "size chosen in a game" << false;
        QTest::addRow("%s/at the start", g) << game << "at the start" << true;
        QTest::addRow("%s/interrupted off the path", g) << game << "interrupted off the path" << true;
        QTest::addRow("%s/completed off the path", g) << game << "completed off the path" << false;
    }
}

// "最短手数": cue 1, then the minimum of the board, of the problem just completed, or that there
// is no problem.
void TestHints::shortest()
{
    QFETCH(int, game);
    QFETCH(QString, state);
    QFETCH(bool, fromBoard);
    Window w(game, int(BoardSize::Cells9), int(SwapCondition::FreeSwap));
    if (state != "no problem yet") w.Deal();
    if (state == "cancelled") QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    if (state == "size chosen in a game") w.Trigger(SizeItems[game - 1][int(BoardSize::Cells16) - 1]);
    int count = 0;
    if (state.endsWith("off the path")) {
        QVERIFY(w.Proven());
        // A swap the answer does not take: the board is solved anew.
        const SolverSwap next = w->Solutions()->BoardAnswer()->path.front();
        const Position board = *BoardPosition(w->Model());
        const int n = w->Model().Cells();
        for (int i = 1; i <= n && !count; ++i)
            for (int j = game == int(GameType::PuzzleI) ? i + 1 : 1; j <= n && !count; ++j)
                if (SolverSwap{i, j} != next && IsAllowedSwap(board, {i, j})) {
                    w.Click(0, i);
                    w.Click(game == int(GameType::PuzzleI) ? 0 : 1, j);
                    QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
                    count = 1;
                }
        QCOMPARE(w->CountDisplay()->text(), QStringLiteral("1"));
    }
    if (state == "interrupted off the path") QTest::mouseClick(w->InterruptButton(), Qt::LeftButton);
    int minimum = fromBoard ? SolvedMinimum(w) : -1;
    if (state == "completed off the path") {
        const int start =
            int(Solve(*StartPosition(w->Model()), {}, SolverClock::now() + std::chrono::seconds(20)).path.size());
        QVERIFY(w.Proven());
        for (int i = w.Minimum(); i > 0; --i, ++count) {
            w.Trigger("nextMoveItem");
            QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        }
        QVERIFY(w->Model().Finished());
        minimum = start;
    }
    w.sounds.ids.clear();
    const int boxes = int(w.messages.boxes.size());

    w.Trigger("shortestItem");

    QCOMPARE(w.sounds.ids.value(0), 1);
    QTRY_COMPARE(int(w.messages.boxes.size()), boxes + 1);
    QVERIFY(!w.messages.last().pos);
    QString text = QStringLiteral("問題がありません。「新しい問題」ボタンで始めてください。");
    if (fromBoard) text = QStringLiteral("この局面から完成まで、最短で %1 回の入れ替えです。").arg(minimum);
    if (state == "completed off the path")
        text = QStringLiteral("この問題の最短は %1 回の入れ替えです。\r\nあなたは %2 回で完成しました。")
                   .arg(minimum)
                   .arg(count);
    QCOMPARE(w.messages.last().text, text);
}

void TestHints::shortestTexts_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("bound");
    QTest::addColumn<int>("found");  // length of the path found; -1 for none
    QTest::addColumn<int>("count");  // the player's count after completing; -1 while playing
    QTest::addColumn<QString>("text");
    const int proven = int(Solution::Status::Proven), bounded = int(Solution::Status::Bounded),
              impossible = int(Solution::Status::Impossible);
    QTest::newRow("board, proven") << proven << 12 << 12 << -1 << "この局面から完成まで、最短で 12 回の入れ替えです。";
    QTest::newRow("board, bounded")
        << bounded << 20 << 26 << -1
        << "この局面から完成まで、20 回以上の入れ替えが要ります。見つかっている手順は 26 回です。";
    QTest::newRow("board, nothing found yet")
        << bounded << 20 << -1 << -1 << "この局面から完成まで、20 回以上の入れ替えが要ります。";
    QTest::newRow("board, impossible") << impossible << 0 << -1 << -1 << "この局面からは完成できません。";
    QTest::newRow("problem, proven") << proven << 9 << 9 << 14
                                     << "この問題の最短は 9 回の入れ替えです。\r\nあなたは 14 回で完成しました。";
    QTest::newRow("problem, bounded") << bounded << 30 << 38 << 41
                                      << "この問題は 30 回以上の入れ替えが要ります。見つかっている手順は 38 "
                                         "回です。\r\nあなたは 41 回で完成しました。";
    // The player's own way counts as found, and proves the minimum when it meets the bound.
    QTest::newRow("problem, player shorter") << bounded << 30 << 38 << 33
                                             << "この問題は 30 回以上の入れ替えが要ります。見つかっている手順は 33 "
                                                "回です。\r\nあなたは 33 回で完成しました。";
    QTest::newRow("problem, player meets the bound")
        << bounded << 30 << -1 << 30 << "この問題の最短は 30 回の入れ替えです。\r\nあなたは 30 回で完成しました。";
}

// The texts where the minimum is not proven, which a dealt problem cannot be made to show.
void TestHints::shortestTexts()
{
    QFETCH(int, status);
    QFETCH(int, bound);
    QFETCH(int, found);
    QFETCH(int, count);
    QFETCH(QString, text);
    Solution answer{Solution::Status(status), bound, {}};
    if (found > 0) answer.path.assign(size_t(found), SolverSwap{1, 2});
    QCOMPARE(Q(count < 0 ? ShortestFromBoardText(answer) : ShortestOfProblemText(answer, count)), text);
}

void TestHints::parDisplay_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<bool>("hinted");
    for (int game : {int(GameType::PuzzleI), int(GameType::PuzzleII)})
        for (bool hinted : {false, true})
            QTest::addRow("%s/%s", game == int(GameType::PuzzleI) ? "I" : "II", hinted ? "hinted" : "alone")
                << game << hinted;
}

// "最短" shows the problem's proven minimum, ★ only for a game completed in it without hints, and
// keeps the figure for the same problem; the hints are counted with the game.
void TestHints::parDisplay()
{
    QFETCH(int, game);
    QFETCH(bool, hinted);
    Window w(game, int(BoardSize::Cells9), int(SwapCondition::FreeSwap));
    QCOMPARE(w->ParDisplay()->text(), QString());
    w.Deal();
    const std::optional<Solution> answer = w.SettledAnswer();
    QVERIFY(answer && answer->Proven());
    const int minimum = int(answer->path.size());
    const QString figure = QString::number(minimum);
    QTRY_COMPARE(w->ParDisplay()->text(), figure);
    QCOMPARE(w->ParDisplay()->accessibleDescription(), QStringLiteral("最短 %1 回").arg(minimum));

    for (const SolverSwap& swap : answer->path) {
        if (hinted) {
            w.Trigger("nextMoveItem");
        } else {
            w.Click(0, swap.first);
            w.Click(game == int(GameType::PuzzleI) ? 0 : 1, swap.second);
        }
        QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
    }
    QVERIFY(w->Model().Finished());
    QCOMPARE(w->Model().HintsUsed(), hinted ? minimum : 0);
    QCOMPARE(w->ParDisplay()->text(), hinted ? figure : QStringLiteral("★") + figure);
    QCOMPARE(w->ParDisplay()->accessibleDescription(),
             QStringLiteral("最短 %1 回").arg(minimum) + (hinted ? QString() : QStringLiteral("、最短で完成")));

    QTest::mouseClick(w->SameProblemButton(), Qt::LeftButton);
    QCOMPARE(w->ParDisplay()->text(), figure);
    QCOMPARE(w->Model().HintsUsed(), 0);
}

QTEST_MAIN(TestHints)
#include "test_hints.moc"

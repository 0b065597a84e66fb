// The game models without any window: whole games of both types with interrupt, resume, ticks,
// completion and cancel, under every size and several conditions, and stored problems.
#include "core/Puzzle1Game.h"
#include "core/Puzzle2Game.h"
#include "core/SavedGame.h"

#include <QtTest>

using namespace qx;

namespace {

// The complete table with the numbers at cells `a` and `b` exchanged.
Table SolvedExcept(int n, int a, int b)
{
    std::vector<int> order = SolvedOrder(n);
    std::swap(order[a - 1], order[b - 1]);
    return order;
}

Table Numbers(const Game& g, int table = 0)
{
    Table numbers;
    for (const BoardCell& cell : g.Board(table)) numbers.push_back(cell.number);
    return numbers;
}

int Count(const Game& g, int table, TileLook look)
{
    int n = 0;
    for (const BoardCell& cell : g.Board(table)) n += cell.tile == look;
    return n;
}

// Playing with 3 seconds on the clock, interrupted and resumed in between.
void PlayThreeSeconds(Game& g)
{
    QCOMPARE(g.Start().status, std::string("数字の入れ替えを始めてください。"));
    QVERIFY(g.Tick());
    QCOMPARE(g.Interrupt().status, std::string("中断中です。「再開」ボタンで再開してください。"));
    QVERIFY(!g.Tick());
    QCOMPARE(g.CurrentPhase(), Phase::Interrupted);
    QCOMPARE(g.Resume().status, std::string("再開します。入れ替えを続けてください。"));
    QVERIFY(g.Tick() && g.Tick());
    QCOMPARE(g.ElapsedSeconds(), 3);
}

// The completing swap ends the game; cancelling the replay empties the board but keeps the problem.
void CheckEndedThenCancel(Game& g, const Outcome& done, std::pair<int, int> at, const Table& start)
{
    QCOMPARE(done.notice->text, std::string("完成しました！"));
    QCOMPARE(*done.notice->at, at);
    QCOMPARE(done.cues.back(), SoundCue::Completed);
    QVERIFY(g.Finished() && !g.ClockRunning());
    QCOMPARE(g.CurrentPhase(), Phase::Ended);
    QCOMPARE(g.SwapCount(), 1);

    g.SameProblem();
    QCOMPARE(Numbers(g), start);
    QCOMPARE(g.SwapCount() + g.ElapsedSeconds(), 0);
    g.Start();
    QVERIFY(!g.Finished());
    QCOMPARE(g.Cancel().cues, std::vector<SoundCue>{SoundCue::Silence});
    QCOMPARE(g.CurrentPhase(), Phase::Ended);
    QCOMPARE(Numbers(g), Table(size_t(g.Cells())));
    QCOMPARE(g.Problem().startA, start);
}

}  // namespace

class TestGame : public QObject {
    Q_OBJECT
private slots:
    void wholeGame_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("condition");
        QTest::newRow("9, free") << int(BoardSize::Cells9) << int(SwapCondition::FreeSwap);
        QTest::newRow("16, rows") << int(BoardSize::Cells16) << int(SwapCondition::RowAdvance);
        QTest::newRow("25, by one") << int(BoardSize::Cells25) << int(SwapCondition::DifferByOne);
        QTest::newRow("9, neighbours") << int(BoardSize::Cells9) << int(SwapCondition::Neighbours);
    }
    // 1 and 2 exchanged: one swap of neighbours that every condition allows.
    void wholeGame()
    {
        QFETCH(int, size);
        QFETCH(int, condition);
        Puzzle1Game g;
        QCOMPARE(g.ChooseSize(BoardSize(size)).status, std::string("「新しい問題」ボタンで始めてください。"));
        g.ChooseCondition(SwapCondition(condition));
        const Table start = SolvedExcept(g.Cells(), 1, 2);
        g.SetProblem({start, {}, EncodeProblemCode(start), {}});
        g.SameProblem();
        QCOMPARE(Count(g, 0, TileLook::InPlace), g.Cells() - 2);
        PlayThreeSeconds(g);

        QCOMPARE(g.Swap().notice->text, std::string("数字を２つ選んでください。"));
        g.Select(1);
        QCOMPARE(g.Board()[0].ink, NumberLook::Selected);
        QVERIFY(Count(g, 0, TileLook::Partner) > 0);
        g.Select(3);
        QCOMPARE(g.Unselect(3).cues, std::vector<SoundCue>{SoundCue::Picked});
        QVERIFY(g.Unselect(4).cues.empty());  // not selected: nothing happens
        g.Select(2);
        QVERIFY(g.Select(5).refused);
        QCOMPARE(g.SelectCount(), 2);
        CheckEndedThenCancel(g, g.Swap(), {410, 480}, start);
        QCOMPARE(g.Picks().firstIndex + g.SelectCount(), 0);
    }

    void wholePairGame_data() { wholeGame_data(); }
    // Table A holds 2 at cell 1, table B holds 1 at cell 2: exchanging them completes both.
    void wholePairGame()
    {
        QFETCH(int, size);
        QFETCH(int, condition);
        Puzzle2Game g;
        g.ChooseSize(BoardSize(size));
        g.ChooseCondition(SwapCondition(condition));
        std::vector<int> orderA = SolvedOrder(g.Cells()), orderB = orderA;
        orderA[0] = 2;
        orderB[1] = 1;
        const Table a = orderA, b = orderB;
        g.SetProblem({a, b, EncodeProblemCode(a), EncodeProblemCode(b)});
        g.SameProblem();
        PlayThreeSeconds(g);

        QCOMPARE(g.Swap().notice->text, std::string("表Ａの数字を選んでください。"));
        g.Pick(Puzzle2Game::TableA, 1);
        QCOMPARE(Count(g, Puzzle2Game::TableA, TileLook::InPlace), 0);  // whitened while partners show
        QVERIFY(Count(g, Puzzle2Game::TableB, TileLook::Partner) > 0);
        QCOMPARE(g.Swap().notice->text, std::string("表Ｂの数字を選んでください。"));
        g.Pick(Puzzle2Game::TableB, 3);
        g.Unpick(Puzzle2Game::TableB, 3);
        g.Pick(Puzzle2Game::TableB, 2);
        const Outcome done = g.Swap();
        QCOMPARE(done.cues.front(), SoundCue::Step);
        QCOMPARE(g.Picks().firstIndex * 100 + g.Picks().secondIndex, 102);  // kept after completion
        CheckEndedThenCancel(g, done, {405, 490}, a);
        QCOMPARE(g.Problem().startB, b);
    }

    // A refusal changes no number and counts nothing; in Puzzle II both picks turn red.
    void refusedPairSwap()
    {
        Puzzle2Game g;
        g.ChooseCondition(SwapCondition::OddEven);
        const Table a = SolvedExcept(9, 2, 4), b = SolvedExcept(9, 1, 3);
        g.SetProblem({a, b, {}, {}});
        g.SameProblem();
        g.Start();
        g.Pick(Puzzle2Game::TableA, 2);  // 4
        g.Pick(Puzzle2Game::TableB, 1);  // 3, then replaced by the pick of 2: both even
        g.Pick(Puzzle2Game::TableB, 2);
        const Outcome refused = g.Swap();
        QVERIFY(refused.refused);
        QCOMPARE(refused.cues, std::vector<SoundCue>{SoundCue::Refusal});
        QCOMPARE(*refused.notice->at, std::make_pair(370, 430));
        QCOMPARE(Numbers(g, 0), a);
        QCOMPARE(g.SwapCount(), 0);
        QCOMPARE(g.Board(Puzzle2Game::TableB)[1].ink, NumberLook::Selected);
    }

    void storedProblem_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("Puzzle I") << int(GameType::PuzzleI);
        QTest::newRow("Puzzle II") << int(GameType::PuzzleII);
    }
    // Laid out under its own condition on an emptied board; the phase waits for the start question.
    void storedProblem()
    {
        QFETCH(int, type);
        std::unique_ptr<Game> g;
        if (type == int(GameType::PuzzleI))
            g = std::make_unique<Puzzle1Game>();
        else
            g = std::make_unique<Puzzle2Game>();
        g->ChooseSize(BoardSize::Cells16);
        Random rng(3);
        g->NewProblem(rng);
        g->Start();
        g->Tick();
        const Table a = SolvedExcept(16, 5, 9), b = SolvedExcept(16, 1, 16);
        g->LayOutStoredProblem({a, b, EncodeProblemCode(a), EncodeProblemCode(b)}, SwapCondition::SameRowOrColumn);
        QCOMPARE(g->Condition(), SwapCondition::SameRowOrColumn);
        QCOMPARE(Numbers(*g), a);
        if (type == int(GameType::PuzzleII)) QCOMPARE(Numbers(*g, 1), b);
        QCOMPARE(Count(*g, 0, TileLook::InPlace), 14);
        QCOMPARE(g->CurrentPhase(), Phase::Playing);
        QVERIFY(!g->ClockRunning());
        QCOMPARE(g->ElapsedSeconds(), 0);
        QCOMPARE(g->Problem().codeA, EncodeProblemCode(a));
    }

    // A kept Puzzle II game read back into a fresh model: interrupted, with its tables (in-place
    // tiles marked), count and seconds; "再開" goes on with the clock and "同じ問題" lays out the start.
    void restoredGameGoesOn()
    {
        Puzzle2Game played;
        played.ChooseSize(BoardSize::Cells25);
        Random rng(5);
        played.NewProblem(rng);
        played.Start();
        for (int k : {1, 7}) {
            played.Pick(Puzzle2Game::TableA, k);
            played.Pick(Puzzle2Game::TableB, k + 1);
            played.Swap();
        }
        played.Tick();
        played.LearnPar({.lowerBound = 40, .found = 52});
        played.LearnPar({.lowerBound = 38, .found = 60});  // only ever more exact
        played.TakeHint(3, 4);
        played.Unpick(Puzzle2Game::TableA, 3);
        played.Unpick(Puzzle2Game::TableB, 4);
        const ParsedSave parsed = ParseSavedGame(*SaveOf(played));
        QVERIFY2(parsed.position, parsed.reason.c_str());
        // A damaged par is dropped, the game itself never.
        SavedGame damaged = *SaveOf(played);
        damaged.parFound = 12;
        QVERIFY(ParseSavedGame(damaged).position && !ParseSavedGame(damaged).position->par);

        Puzzle2Game resumed;
        QCOMPARE(resumed.Restore(*parsed.position).status,
                 std::string("中断中です。「再開」ボタンで再開してください。"));
        QCOMPARE(resumed.Size(), BoardSize::Cells25);
        QCOMPARE(Numbers(resumed, 0), Numbers(played, 0));
        QCOMPARE(Numbers(resumed, 1), Numbers(played, 1));
        QCOMPARE(Count(resumed, 1, TileLook::InPlace), Count(played, 1, TileLook::InPlace));
        QCOMPARE(resumed.CurrentPhase(), Phase::Interrupted);
        QVERIFY(!resumed.Tick());
        resumed.Resume();
        QVERIFY(resumed.Tick());
        QCOMPARE(resumed.SwapCount(), 2);
        QCOMPARE(resumed.ElapsedSeconds(), 2);
        QCOMPARE(resumed.HintsUsed(), 1);
        QCOMPARE(resumed.ProblemPar(), std::optional<Par>(Par{.lowerBound = 40, .found = 52}));
        resumed.Cancel();
        resumed.SameProblem();
        QCOMPARE(Numbers(resumed, 1), played.Problem().startB);

        ResumePosition shown = *parsed.position;
        shown.condition = SwapCondition::Neighbours;
        shown.swapCount = 37;
        shown.elapsedSeconds = 725;
        QCOMPARE(ResumeQuestion(shown),
                 std::string("前回の続きがあります（２５マス・隣り同士・37 回・12分5秒）。\r\n続きから始めますか？"));
    }
};

QTEST_APPLESS_MAIN(TestGame)
#include "test_game.moc"

// Puzzle II on 25 cells under FreeSwap, where a pick with no pick in the other table marks every
// cell of that table.
#include "BenchHarness.h"
#include "games/Puzzle2Support.h"
#include "support/Doubles.h"

#include "shell/ColoredButton.h"

#include <QAction>
#include <memory>

std::vector<BenchResult> BenchPuzzle2(int iterations, qx::KeptGameStore* kept)
{
    qx::test::FakeMessages messages;  // every box answers OK at once
    qx::test::FakeSounds sounds;
    auto form = ShowWithNew25CellProblem<TForm3>(kept);
    TForm3* f = form.get();

    std::vector<BenchResult> results;
    int cell = 0;
    results.push_back(Measure({QStringLiteral("Puzzle II: pick in 表A (25, marks)"), f,
                               [&] {
                                   if (cell > 0) ClickCell(f, TForm3::TableA, cell, Qt::RightButton);
                                   cell = cell % 25 + 1;
                               },
                               [&] { ClickCell(f, TForm3::TableA, cell); }},
                              iterations));
    ClickCell(f, TForm3::TableA, cell, Qt::RightButton);

    // The same two cells exchange back and forth: a shuffled pair never completes that way.
    results.push_back(Measure({QStringLiteral("Puzzle II: 入れ替え (25)"), f,
                               [&] {
                                   ClickCell(f, TForm3::TableA, 1);
                                   ClickCell(f, TForm3::TableB, 25);
                               },
                               [&] { QTest::mouseClick(f->SwapButton(), Qt::LeftButton); }},
                              iterations));

    // Two tables shuffled, their codes made and the start question answered.
    results.push_back(
        Measure({QStringLiteral("Puzzle II: 新しい問題 (25)"), f, [&] { f->findChild<QAction*>("N6")->trigger(); },
                 [&] { QTest::mouseClick(f->NewProblemButton(), Qt::LeftButton); }},
                iterations));
    return results;
}

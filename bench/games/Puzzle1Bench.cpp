// Puzzle I on 25 cells under FreeSwap, where a first pick marks every cell.
#include "BenchHarness.h"
#include "support/Doubles.h"

#include "core/GameState.h"
#include "games/Puzzle1Window.h"
#include "shell/ColoredButton.h"

#include <QAction>
#include <QTest>
#include <memory>

std::vector<BenchResult> BenchPuzzle1(int iterations, qx::KeptGameStore* kept)
{
    qx::test::FakeMessages messages;  // every box answers OK at once
    qx::test::FakeSounds sounds;
    auto form = ShowWithNew25CellProblem<TForm2>(kept);
    TForm2* f = form.get();
    auto label = [f](int k) { return f->Cells().NumberLabel(k); };

    std::vector<BenchResult> results;
    int cell = 0;
    results.push_back(Measure({QStringLiteral("Puzzle I: click a number (25, marks)"), f,
                               [&] {
                                   if (f->Model().SelectCount() > 0) QTest::mouseClick(label(cell), Qt::RightButton);
                                   cell = cell % 25 + 1;
                               },
                               [&] { QTest::mouseClick(label(cell), Qt::LeftButton); }},
                              iterations));
    if (f->Model().SelectCount() > 0) QTest::mouseClick(label(cell), Qt::RightButton);

    // The two cells swap back and forth: a shuffled board never completes that way.
    results.push_back(Measure({QStringLiteral("Puzzle I: 入れ替え (25)"), f,
                               [&] {
                                   QTest::mouseClick(label(1), Qt::LeftButton);
                                   QTest::mouseClick(label(2), Qt::LeftButton);
                               },
                               [&] { QTest::mouseClick(f->SwapButton(), Qt::LeftButton); }},
                              iterations));

    results.push_back(
        Measure({QStringLiteral("Puzzle I: 新しい問題 (25)"), f, [&] { f->findChild<QAction*>("N6")->trigger(); },
                 [&] { QTest::mouseClick(f->NewProblemButton(), Qt::LeftButton); }},
                iterations));
    return results;
}

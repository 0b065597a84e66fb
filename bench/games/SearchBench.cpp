// Puzzle I on 25 cells under 隣り同士 while the solver searches: few boards of that kind are proven
// within a second and most take longer than the 20 s the worker gives them, so the worker is busy
// during the actions, and each swap or new problem stops its search and starts another.
#include "BenchHarness.h"
#include "support/Doubles.h"

#include "games/Puzzle1Window.h"

#include <QAction>
#include <QTest>

std::vector<BenchResult> BenchPuzzle1WhileSearching(int iterations)
{
    qx::test::FakeMessages messages;
    qx::test::FakeSounds sounds;
    qx::ResetGameState();
    TForm2 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qWarning("window not exposed");
    auto button = [&form](const char* name) { return form.findChild<QWidget*>(QString::fromLatin1(name)); };
    auto action = [&form](const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); };
    action("N6")->trigger();   // 25 cells
    action("N13")->trigger();  // 隣り同士
    QTest::mouseClick(button("CuteButton1"), Qt::LeftButton);
    auto label = [&form](int k) { return form.Cells().NumberLabel(k); };
    auto unselect = [&] {
        for (int k = 1; k <= 25 && form.Model().SelectCount() > 0; ++k) QTest::mouseClick(label(k), Qt::RightButton);
    };

    std::vector<BenchResult> results;
    int cell = 0;
    results.push_back(Measure({QStringLiteral("searching: click a number (25)"), &form,
                               [&] {
                                   unselect();
                                   cell = cell % 25 + 1;
                               },
                               [&] { QTest::mouseClick(label(cell), Qt::LeftButton); }},
                              iterations));
    results.push_back(Measure({QStringLiteral("searching: 入れ替え (25)"), &form,
                               [&] {
                                   unselect();
                                   QTest::mouseClick(label(1), Qt::LeftButton);
                                   QTest::mouseClick(label(2), Qt::LeftButton);
                               },
                               [&] { QTest::mouseClick(button("CuteButton3"), Qt::LeftButton); }},
                              iterations));
    results.push_back(Measure(
        {QStringLiteral("searching: 次の一手 (25)"), &form, unselect, [&] { action("nextMoveItem")->trigger(); }},
        iterations));
    results.push_back(Measure({QStringLiteral("searching: 新しい問題 (25)"), &form, [&] { action("N6")->trigger(); },
                               [&] { QTest::mouseClick(button("CuteButton1"), Qt::LeftButton); }},
                              iterations));
    return results;
}

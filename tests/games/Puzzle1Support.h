#pragma once
// Puzzle I helpers shared by the tests, the adapter and the benchmark.

#include "core/Board.h"
#include "core/Problem.h"
#include "games/Puzzle1Window.h"

#include <QStringList>
#include <QTest>
#include <vector>

// Lays out `order` (element k − 1 at BoardIndex k) as the current problem through "同じ問題";
// the start question is answered by whatever the test's message double is scripted to say.
inline void StartPuzzle1(TForm2* f, const std::vector<int>& order)
{
    f->Model().SetProblem({order, {}, qx::EncodeProblemCode(order), {}});
    f->OnSameProblem();
}

// The number label of BoardIndex k.
inline QLabel* CellLabel(TForm2* f, int k) { return f->Cells().NumberLabel(k); }

inline void ClickCell(TForm2* f, int k, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(CellLabel(f, k), button);
}

// The numbers the board shows on the model's size, read back from its labels (an empty label is 0).
inline qx::Table ShownNumbers(const TForm2* f)
{
    qx::Table numbers;
    for (int k = 1; k <= f->Model().Cells(); ++k) numbers.push_back(f->Cells().Number(k).toInt());
    return numbers;
}

inline QStringList BoardTexts(const TForm2* f)
{
    QStringList texts;
    for (int k = 1; k <= f->Model().Cells(); ++k) texts << f->Cells().Number(k);
    return texts;
}

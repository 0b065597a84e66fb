#pragma once
// Puzzle II helpers shared by the tests, the adapter and the benchmark. Number labels are found by
// their names: table A's label of LayoutPosition p is Label(p + 32), table B's Label(p + 57).

#include "core/Board.h"
#include "core/Problem.h"
#include "games/Puzzle2Window.h"

#include <QStringList>
#include <QTest>
#include <vector>

// Lays out tables A and B (element k − 1 at BoardIndex k) as the current problem through
// "同じ問題"; the start question is answered by whatever the test's message double says.
inline void StartPuzzle2(TForm3* f, const std::vector<int>& a, const std::vector<int>& b)
{
    f->Model().SetProblem({a, b, qx::EncodeProblemCode(a), qx::EncodeProblemCode(b)});
    f->OnSameProblem();
}

// The complete table 1 … n of the model's size.
inline std::vector<int> Solved(const TForm3* f) { return qx::SolvedOrder(f->Model().Cells()); }

// The label and tile of BoardIndex k on the model's size.
inline QLabel* CellLabel(TForm3* f, TForm3::TTable table, int k)
{
    const int p = qx::LayoutPositionOf(k, f->Model().Size());
    return f->findChild<QLabel*>(QStringLiteral("Label%1").arg(p + (table == TForm3::TableA ? 32 : 57)));
}
inline TShape* CellTile(TForm3* f, TForm3::TTable table, int k)
{
    const int p = qx::LayoutPositionOf(k, f->Model().Size());
    return f->findChild<TShape*>(QStringLiteral("Shape%1").arg(p + (table == TForm3::TableA ? 8 : 33)));
}

inline void ClickCell(TForm3* f, TForm3::TTable table, int k, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(CellLabel(f, table, k), button);
}

inline QStringList TableTexts(TForm3* f, TForm3::TTable table)
{
    QStringList texts;
    for (int k = 1; k <= f->Model().Cells(); ++k) texts << CellLabel(f, table, k)->text();
    return texts;
}

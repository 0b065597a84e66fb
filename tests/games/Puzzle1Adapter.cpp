// The Puzzle I window for the shared game-window tests.
#include "GameWindowAdapter.h"
#include "Puzzle1Support.h"

#include "core/Board.h"
#include "games/Puzzle1Window.h"
#include "shell/ColoredButton.h"

#include <QTest>

namespace {

class Puzzle1Adapter : public GameWindowAdapter {
public:
    QString name() const override { return QStringLiteral("PuzzleI"); }
    std::unique_ptr<TGameWindow> create() const override { return std::make_unique<TForm2>(); }
    QPoint confirmStartPos() const override { return {440, 470}; }
    QPoint completedPos() const override { return {410, 480}; }
    QString backAction() const override { return QStringLiteral("N12"); }
    QString sizeAction(int size) const override
    {
        static const char* const names[] = {"N3", "N4", "N6"};
        return QString::fromLatin1(names[size - 1]);
    }
    QString conditionAction(int condition) const override
    {
        static const char* const names[] = {"N8", "N9", "N10", "N11", "N13", "N14"};
        return QString::fromLatin1(names[condition - 1]);
    }

    void layOutNearlySolved(TGameWindow* w) const override
    {
        // 1 and 2 exchanged: one swap of neighbours, allowed under every condition.
        const int n = w->Model().Cells();
        std::vector<int> order(n);
        for (int k = 1; k <= n; ++k) order[k - 1] = k;
        std::swap(order[0], order[1]);
        StartPuzzle1(static_cast<TForm2*>(w), order);
    }
    void swapFirstCells(TGameWindow* w) const override
    {
        auto* f = static_cast<TForm2*>(w);
        ClickCell(f, 1);
        ClickCell(f, 2);
        QTest::mouseClick(f->SwapButton(), Qt::LeftButton);
    }
    void pickOne(TGameWindow* w) const override { ClickCell(static_cast<TForm2*>(w), 3); }
    QStringList numbers(TGameWindow* w) const override { return BoardTexts(static_cast<TForm2*>(w)); }
};

}  // namespace

std::unique_ptr<GameWindowAdapter> MakePuzzle1Adapter() { return std::make_unique<Puzzle1Adapter>(); }

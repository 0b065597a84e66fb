// The Puzzle II window for the shared game-window tests.
#include "GameWindowAdapter.h"
#include "Puzzle2Support.h"

#include "shell/ColoredButton.h"

namespace {

class Puzzle2Adapter : public GameWindowAdapter {
public:
    QString name() const override { return QStringLiteral("PuzzleII"); }
    std::unique_ptr<TGameWindow> create() const override { return std::make_unique<TForm3>(); }
    QPoint confirmStartPos() const override { return {418, 485}; }
    QPoint completedPos() const override { return {405, 490}; }
    QString backAction() const override { return QStringLiteral("N1"); }
    QString sizeAction(int size) const override { return QStringLiteral("N%1").arg(size + 3); }
    QString conditionAction(int condition) const override
    {
        static const char* const names[] = {"N8", "N9", "N10", "N11", "N12", "N1tu1"};
        return QString::fromLatin1(names[condition - 1]);
    }

    void layOutNearlySolved(TGameWindow* w) const override
    {
        // Table A holds 2 at cell 1, table B holds 1 at cell 2: exchanging the two neighbours,
        // 2 with 1, completes both tables under every condition.
        auto* f = static_cast<TForm3*>(w);
        std::vector<int> a = Solved(f), b = Solved(f);
        a[0] = 2;
        b[1] = 1;
        StartPuzzle2(f, a, b);
    }
    void swapFirstCells(TGameWindow* w) const override
    {
        auto* f = static_cast<TForm3*>(w);
        ClickCell(f, TForm3::TableA, 1);
        ClickCell(f, TForm3::TableB, 2);
        QTest::mouseClick(f->SwapButton(), Qt::LeftButton);
    }
    void pickOne(TGameWindow* w) const override { ClickCell(static_cast<TForm3*>(w), TForm3::TableA, 3); }
    QStringList numbers(TGameWindow* w) const override
    {
        auto* f = static_cast<TForm3*>(w);
        return TableTexts(f, TForm3::TableA) + TableTexts(f, TForm3::TableB);
    }
};

}  // namespace

std::unique_ptr<GameWindowAdapter> MakePuzzle2Adapter() { return std::make_unique<Puzzle2Adapter>(); }

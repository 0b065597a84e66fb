#pragma once
// "ヒント" of a game window: "次の一手" selects the numbers of the next swap on a shortest way
// from the board, "最短手数" tells the fewest swaps. Both ask the window's solutions; the
// selection is made by the model and shown by the window like any other operation.

#include "core/Game.h"

#include <QObject>
#include <functional>

class TFormBase;
class TGameSolutions;
namespace qx {
struct Solution;
}

class THintMenu : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const qx::Outcome&)>;
    // Adds the menu to `window`, whose model is `game`; `show` renders what a hint selected.
    THintMenu(TFormBase& window, qx::Game& game, Show show);

    TGameSolutions* Solutions() const { return solutions_; }

    // "次の一手": refused outside a game; otherwise waits for the board's first answer.
    void OnNextMove();
    // "最短手数": the fewest swaps from the board, or of the problem just completed.
    void OnShortest();

private:
    void ShowHint(const qx::Solution& answer);

    qx::Game& game_;
    Show show_;
    TGameSolutions* solutions_;
};

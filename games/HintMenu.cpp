#include "games/HintMenu.h"

#include "core/Hints.h"
#include "games/GameSolutions.h"
#include "shell/Application.h"
#include "shell/FormBase.h"
#include "shell/Seams.h"

#include <QAction>
#include <QMenu>

using namespace qx;

THintMenu::THintMenu(TFormBase& window, Game& game, Show show)
    : QObject(&window), game_(game), show_(std::move(show)), solutions_(new TGameSolutions(&window, game))
{
    QMenu* hint = window.AddMenu("hintMenu", QStringLiteral("ヒント"));
    window.AddCommand(hint, "nextMoveItem", QStringLiteral("次の一手"), [this] { OnNextMove(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    window.AddCommand(hint, "shortestItem", QStringLiteral("最短手数"), [this] { OnShortest(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
}

void THintMenu::OnNextMove()
{
    if (!IsHintTime(game_)) {
        PlayCue(SoundCue::Refusal);
        Messages().plain(Q(hinttext::OutsideGame));
        return;
    }
    // Before the first answer for this board has come, the hint waits for it; the player plays on.
    solutions_->WhenHintReady([this](const Solution& answer) { RunGuarded([&] { ShowHint(answer); }); });
}

void THintMenu::ShowHint(const Solution& answer)
{
    const std::optional<Position> board = BoardPosition(game_);
    if (!board || !IsHintTime(game_)) return;  // interrupted or ended while the answer was on its way
    if (answer.status == Solution::Status::Impossible || answer.path.empty()) {
        // A search that found no way within its time tells what it knows instead.
        PlayCue(SoundCue::Refusal);
        Messages().plain(Q(answer.status == Solution::Status::Impossible ? hinttext::CannotComplete
                                                                         : ShortestFromBoardText(answer)));
        return;
    }
    const SolverSwap swap = answer.path.front();
    Outcome chosen = game_.TakeHint(swap.first, swap.second);
    chosen.status = HintStatus(*board, swap);
    show_(chosen);
}

void THintMenu::OnShortest()
{
    PlayCue(SoundCue::Step);
    const auto show = [](const std::string& text) { RunGuarded([&] { Messages().plain(Q(text)); }); };
    switch (ShortestSubjectOf(game_)) {
    case ShortestSubject::NoProblem: Messages().plain(Q(hinttext::NoProblem)); break;
    case ShortestSubject::Problem:
        solutions_->WhenSettled(ShortestSubject::Problem, [show, count = game_.SwapCount()](const Solution& answer) {
            show(ShortestOfProblemText(answer, count));
        });
        break;
    case ShortestSubject::Board:
        solutions_->WhenSettled(ShortestSubject::Board,
                                [show](const Solution& answer) { show(ShortestFromBoardText(answer)); });
        break;
    }
}

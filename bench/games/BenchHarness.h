#pragma once
// Times one player action from its event to the repainted window, many times over, and reports
// the median. Each game window adds its actions in its own *Bench.cpp and lists them in main.

#include "core/GameState.h"
#include "shell/ColoredButton.h"

#include <QAction>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace qx {
class KeptGameStore;
}

struct BenchResult {
    QString name;
    double medianMs = 0;
    double maxMs = 0;
    int iterations = 0;
};

struct BenchAction {
    QString name;
    QWidget* window = nullptr;
    std::function<void()> prepare;  // untimed, before every iteration
    std::function<void()> act;      // the player's event
};

// The event, pending events processed, then the whole window rendered (grab()).
BenchResult Measure(const BenchAction& action, int iterations);

// Prints one line per result; true when every median is under the budget.
bool Report(const std::vector<BenchResult>& results, double budgetMs);

// A game window on screen at 25 cells with a new problem started, keeping its game in `kept` when
// given; the caller's message double answers the start question.
template <class Form>
std::unique_ptr<Form> ShowWithNew25CellProblem(qx::KeptGameStore* kept = nullptr)
{
    qx::ResetGameState();
    auto form = std::make_unique<Form>();
    form->KeepGamesIn(kept);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("window not exposed");
    form->template findChild<QAction*>("N6")->trigger();
    QTest::mouseClick(form->NewProblemButton(), Qt::LeftButton);
    return form;
}

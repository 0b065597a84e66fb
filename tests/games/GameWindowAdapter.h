#pragma once
// What the shared game-window tests need to know about one game window. Each game window adds
// one adapter (a subclass in its own .cpp) and lists it in Adapters() of GameWindowAdapters.cpp.

#include "games/GameWindow.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class GameWindowAdapter {
public:
    virtual ~GameWindowAdapter() = default;

    virtual QString name() const = 0;
    // A new window, created as at program start.
    virtual std::unique_ptr<TGameWindow> create() const = 0;

    virtual QPoint confirmStartPos() const = 0;
    virtual QPoint completedPos() const = 0;
    // objectNames of the menu actions.
    virtual QString backAction() const = 0;
    virtual QString sizeAction(int size) const = 0;            // 1, 2, 3
    virtual QString conditionAction(int condition) const = 0;  // 1 … 6

    // Lays out, for the active size, a start position one swap away from complete and asks to
    // start it (the caller scripts the answer).
    virtual void layOutNearlySolved(TGameWindow* w) const = 0;
    // Swaps the numbers of cells 1 and 2 (Puzzle II: 表A's cell 1 with 表B's cell 2) by clicking
    // the number labels and "入れ替え": on that position, the completing swap.
    virtual void swapFirstCells(TGameWindow* w) const = 0;
    // Selects or picks one number by a click (for the reopening test).
    virtual void pickOne(TGameWindow* w) const = 0;
    // The texts of every number label of the active size, all tables.
    virtual QStringList numbers(TGameWindow* w) const = 0;
};

std::vector<std::unique_ptr<GameWindowAdapter>>& Adapters();

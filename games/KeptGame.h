#pragma once
// The game in progress of one game window, kept between runs of the program: offered on the
// window's first opening, saved while it goes on, forgotten once it is over or replaced. A store
// that fails never stops play; the player hears of a failed save once per game.

#include "core/Game.h"
#include "core/SavedGame.h"

#include <QString>
#include <functional>
#include <optional>

namespace qx {
class KeptGameStore;
}

class TKeptGame {
public:
    // A save during play waits less for another copy's write than one on the way out.
    static constexpr int PlaySaveWaitMs = 5;
    static constexpr int FinalSaveWaitMs = 1000;

    // `tell` shows the player a short text (the status bar).
    explicit TKeptGame(std::function<void(const QString&)> tell) : tell_(std::move(tell)) {}

    // Where kept games live; without a store nothing is kept (a window without a database).
    void UseStore(qx::KeptGameStore* store) { store_ = store; }

    // After an operation of `game`: saves, forgets or leaves the kept row as its outcome says.
    void Follow(qx::Keep keep, const qx::Game& game);
    // Keeps `game` if it is being played or interrupted.
    void Save(const qx::Game& game, int waitMs = PlaySaveWaitMs);

    // Once per window: the kept game of this type that the player chose to resume. A row that
    // cannot be used, or that the player declines, is forgotten.
    std::optional<qx::ResumePosition> Offer(const qx::Game& game);
    bool Offered() const { return offered_; }

private:
    void Forget(qx::GameType type);

    std::function<void(const QString&)> tell_;
    qx::KeptGameStore* store_ = nullptr;
    bool offered_ = false;       // the first opening has looked for a kept game
    bool rowMayExist_ = true;    // an earlier run may have left one
    bool failureShown_ = false;  // "続きを保存できませんでした。" said for this game
};

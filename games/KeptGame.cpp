#include "games/KeptGame.h"

#include "records/KeptGameStore.h"
#include "shell/FormBase.h"
#include "shell/Seams.h"

using namespace qx;

void TKeptGame::Follow(Keep keep, const Game& game)
{
    switch (keep) {
    case Keep::Unchanged: break;
    case Keep::Save: Save(game); break;
    case Keep::Forget: Forget(game.Type()); break;
    }
}

void TKeptGame::Save(const Game& game, int waitMs)
{
    const std::optional<SavedGame> saved = SaveOf(game);
    if (!store_ || !saved) return;
    try {
        store_->Save(*saved, waitMs);
        rowMayExist_ = true;
    } catch (const EDatabaseError&) {
        // The game goes on; the player hears of it once per game.
        if (failureShown_) return;
        failureShown_ = true;
        tell_(Q(SaveFailedText));
    }
}

void TKeptGame::Forget(GameType type)
{
    // A new game is a new chance to keep it, and to say when that fails.
    failureShown_ = false;
    if (!store_ || !rowMayExist_) return;
    try {
        store_->Delete(type, PlaySaveWaitMs);
        rowMayExist_ = false;
    } catch (const EDatabaseError&) {
        // Left for the next start, which offers it: nothing of this game is lost.
    }
}

std::optional<ResumePosition> TKeptGame::Offer(const Game& game)
{
    if (offered_) return std::nullopt;
    offered_ = true;
    // A game begun here already is the one to keep.
    if (!store_ || game.CurrentPhase() != Phase::Idle) return std::nullopt;
    std::optional<SavedGame> saved;
    try {
        saved = store_->Read(game.Type());
    } catch (const EDatabaseError&) {
        return std::nullopt;  // nothing to offer from a file that cannot be read; the records say why
    }
    rowMayExist_ = saved.has_value();
    if (!saved) return std::nullopt;
    const ParsedSave parsed = ParseSavedGame(*saved);
    if (!parsed.position || parsed.position->game != game.Type()) {
        Messages().plain(Q(UnusableSaveText));
        Forget(game.Type());
        return std::nullopt;
    }
    PlayCue(SoundCue::Question);
    if (!Messages().confirm(Q(ResumeQuestion(*parsed.position)))) {
        Forget(game.Type());
        return std::nullopt;
    }
    failureShown_ = false;
    return parsed.position;
}

#pragma once
// The game in progress kept between runs, one row per game type in the table chudan of the
// record database.

#include "core/SavedGame.h"
#include "records/RecordDatabase.h"

#include <functional>
#include <optional>

namespace qx {

class KeptGameStore {
public:
    explicit KeptGameStore(RecordDatabase& database) : database_(database) {}

    // The game in progress kept for a game type, at most one row per type; nothing when there is
    // none (or the file has no such table). Throws EDatabaseError when the file cannot be read.
    std::optional<SavedGame> Read(GameType game);
    // Replaces the row of the game's type in one write transaction; throws EDatabaseError.
    // A save during play waits only briefly for another copy's write: the game must not stall.
    void Save(const SavedGame& saved, int busyTimeoutMs);
    void Delete(GameType game, int busyTimeoutMs);
    // Test hook inside the write transaction, after the row is written.
    std::function<void()> afterWritten;

private:
    void InWriteTransaction(const QString& what, int busyTimeoutMs, const std::function<void()>& body);

    RecordDatabase& database_;
};

}  // namespace qx

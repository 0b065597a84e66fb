#pragma once
// The record tables on SQLite: one table per game type and size, its rows numbered in a band of
// one hundred per swap condition. Every operation names the table it works on; every write is
// one transaction, and a file that is refused is never written.

#include "core/SavedGame.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

class QSqlError;

// A failure of the record database: what failed and what to do, in one sentence for the player,
// with the engine's own text on a second line.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& message, int engineCode = 0);
    QString Message() const { return QString::fromUtf8(what()); }
    // The engine's primary result code; 0 when the failure is not the engine's.
    int EngineCode() const { return engineCode_; }

private:
    int engineCode_;
};

namespace qx {

// What the database allows since it was last opened.
enum class RecordAccess { Unusable, ReadOnly, ReadWrite };

// A row of a table as the grid lists it: its key and its number.
struct RecordKey {
    qint64 rowid = 0;
    QVariant number;  // NB as stored
};

// Every field of a row, as stored.
struct RecordRow {
    QVariant number;
    QString date, name, conditionName;
    QVariant condition;  // JKNCD
    QString count, time, codeA, codeB;
};

// A record to store; the store gives it its number.
struct NewRecord {
    SwapCondition condition = SwapCondition::FreeSwap;
    QString date, name, conditionName, count, time, codeA, codeB;
};

// A stored record's key, or why nothing was stored (its band is full).
struct AddResult {
    std::optional<RecordKey> added;
    QString refusal;
};

class RecordStore {
public:
    static constexpr int DefaultBusyTimeoutMs = 3000;
    explicit RecordStore(const QString& path, int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Opens the database unless it is already open for writing, creating what is missing:
    // a lock, a permission or a damaged file that has gone away gives the records back.
    RecordAccess Open();
    RecordAccess Access() const { return access_; }
    // Why the database is not open for writing; empty when it is.
    QString Problem() const { return problem_; }
    QString Path() const { return path_; }

    // The rows of a table in the grid's order: by number, then in the order of recording.
    std::vector<RecordKey> List(GameType game, BoardSize size);
    RecordRow Read(GameType game, BoardSize size, qint64 rowid);
    // The number the next record of `condition` gets: one past the largest of its band, or the
    // band's first number. Unset when there is none (the largest number there is is taken).
    std::optional<int> NextNumber(GameType game, BoardSize size, SwapCondition condition);
    // Numbers the record inside its band and stores it, in one write transaction.
    AddResult Add(GameType game, BoardSize size, const NewRecord& record);
    // Deletes a row and numbers the rows of `condition` consecutively again, in one transaction.
    void DeleteAndRenumber(GameType game, BoardSize size, qint64 rowid, SwapCondition condition);

    // The game in progress kept for a game type in the table chudan, at most one row per type;
    // nothing when there is none (or the file has no such table).
    std::optional<SavedGame> ReadSavedGame(GameType game);
    // Replaces the row of the game's type in one write transaction. A save during play waits
    // only briefly for another copy's write: the game must not stall for it.
    void SaveGame(const SavedGame& saved, int busyTimeoutMs);
    void DeleteSavedGame(GameType game, int busyTimeoutMs);

    // Test hooks inside the write transactions: after the number is read, after the delete,
    // after a saved game's row is written.
    std::function<void()> afterNumbering;
    std::function<void()> afterDelete;
    std::function<void()> afterSavedGameWritten;

    static QString TableName(GameType game, BoardSize size);
    static int FirstNumber(SwapCondition condition);
    // The last number of a band (199 … 599); condition 6 has none.
    static std::optional<int> LastNumber(SwapCondition condition);

private:
    enum class Mode { Normal, ReadOnly, Immutable };
    RecordAccess OpenFile();
    void Connect(Mode mode);
    void Close();
    void CheckIntegrity();
    void CheckTables();
    RecordAccess PrepareForWriting();
    void ProbeWriting(const QString& what);
    bool MissingTablesOrIndexes();
    bool MissingSavedGameTable();
    // Runs a write of a saved game under its own busy timeout.
    template <class Body>
    void InSavedGameTransaction(const QString& what, int busyTimeoutMs, Body&& body);
    void RequireReadable() const;
    void RequireWritable(const QString& what) const;
    QSqlQuery Run(const QString& sql, const QVariantList& binds, const QString& what);
    template <class Body>
    void InWriteTransaction(const QString& what, Body&& body);
    QString ExistingTable(GameType game, BoardSize size) const;

    QString path_;
    QString connection_;
    int busyTimeoutMs_;
    RecordAccess access_ = RecordAccess::Unusable;
    QString problem_;
    QStringList tables_;                 // the record tables the file holds
    QHash<QString, QSqlQuery> readers_;  // one prepared row reader per table
};

}  // namespace qx

#pragma once
// The record tables: one table per game type and size, its rows numbered in a band of one
// hundred per swap condition. Every operation names the table it works on; every write is one
// transaction.

#include "core/Board.h"
#include "core/Par.h"
#include "records/RecordDatabase.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace qx {

// A row of a table as the grid lists it: its key and its number.
struct RecordKey {
    qint64 rowid = 0;
    QVariant number;  // NB as stored
};

// Every field of a row, as stored, and what is kept beside it.
struct RecordRow {
    QVariant number;
    QString date, name, conditionName;
    QVariant condition;  // JKNCD
    QString count, time, codeA, codeB;
    // Kept beside the designed fields: none when unknown, damaged or left by another record.
    std::optional<Par> par;
    int hints = 0;
};

// A record to store; the store gives it its number.
struct NewRecord {
    SwapCondition condition = SwapCondition::FreeSwap;
    QString date, name, conditionName, count, time, codeA, codeB;
    // Stored beside the record when the game was completed (count above 0).
    std::optional<Par> par;
    int hints = 0;
};

// A stored record's key, or why nothing was stored (its band is full).
struct AddResult {
    std::optional<RecordKey> added;
    QString refusal;
};

class RecordStore {
public:
    explicit RecordStore(RecordDatabase& database) : database_(database) {}

    // The database the tables are in: whether it may be read or written, and why not.
    RecordDatabase& Database() { return database_; }

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

    // Test hooks inside the write transactions: after the number is read, after the delete.
    std::function<void()> afterNumbering;
    std::function<void()> afterDelete;

    static QString TableName(GameType game, BoardSize size);
    static int FirstNumber(SwapCondition condition);
    // The last number of a band (199 … 599); condition 6 has none.
    static std::optional<int> LastNumber(SwapCondition condition);

private:
    QString ExistingTable(GameType game, BoardSize size) const;
    void KeepFacts(const QString& table, qint64 rowid, const NewRecord& record);

    RecordDatabase& database_;
};

}  // namespace qx

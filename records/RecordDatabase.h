#pragma once
// The connection to data/kiroku.sqlite: opening it as far as it may be used (for writing, only
// for reading, or not at all, with the reason), the file's tables created when missing, and the
// statements and write transactions the stores run on it. A file that is refused is never
// written.

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <stdexcept>

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

class RecordDatabase {
public:
    static constexpr int DefaultBusyTimeoutMs = 3000;
    explicit RecordDatabase(const QString& path, int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~RecordDatabase();
    RecordDatabase(const RecordDatabase&) = delete;
    RecordDatabase& operator=(const RecordDatabase&) = delete;

    // Opens the database unless it is already open for writing, creating what is missing:
    // a lock, a permission or a damaged file that has gone away gives the records back.
    RecordAccess Open();
    RecordAccess Access() const { return access_; }
    // Why the database is not open for writing; empty when it is.
    QString Problem() const { return problem_; }
    QString Path() const { return path_; }
    int BusyTimeoutMs() const { return busyTimeoutMs_; }

    // Throw the reason, after `what` failed, when the file may not be read or written.
    void RequireReadable() const;
    void RequireWritable(const QString& what) const;
    // Whether the file holds a record table (a read-only file may lack some).
    bool HasRecordTable(const QString& table) const { return recordTables_.contains(table); }
    // Whether the file holds the kept games' table (one made by an older version has none).
    bool HasKeptGameTable();
    static QString KeptGameTable() { return QStringLiteral("chudan"); }
    // Par and hints of the records sit in a side table keyed by record table and rowid, and in
    // added columns of chudan, so that the previous version, which knows only the designed
    // tables, still opens the file. Either may be missing from a file that could not be upgraded.
    static QString ParTable() { return QStringLiteral("kirokupar"); }
    bool HasParTable() const { return hasParTable_; }
    bool KeptGameHasPar() const { return keptGameHasPar_; }

    // Runs a statement; a failure throws `what` with the advice for the engine's error.
    QSqlQuery Run(const QString& sql, const QVariantList& binds, const QString& what);
    // A statement prepared once per opening, for reads repeated many times.
    QSqlQuery& Prepared(const QString& sql, const QString& what);
    // Runs body in one write transaction, committed when it returns.
    void InWriteTransaction(const QString& what, const std::function<void()>& body);
    // Runs body in a savepoint of the open write transaction: a failure undoes only what body
    // wrote, and the transaction goes on. Whether body succeeded.
    bool InSavepoint(const QString& name, const std::function<void()>& body);

    // `what` failed because of the engine's error: with what to do about it and the engine's text.
    static EDatabaseError Failure(const QString& what, const QSqlError& error);

private:
    friend class TransactionGuard;
    enum class Mode { Normal, ReadOnly, Immutable };
    RecordAccess OpenFile();
    void Connect(Mode mode);
    void Close();
    void CheckIntegrity();
    void CheckRecordTables();
    void CheckAdditions();
    QStringList ColumnsOf(const QString& table);
    RecordAccess PrepareForWriting();
    void CreateTables();
    void CreateAdditions();
    void ProbeWriting(const QString& what);
    bool MissingRecordTablesOrIndexes();
    QSqlDatabase Connection() const;

    QString path_;
    QString connection_;
    int busyTimeoutMs_;
    RecordAccess access_ = RecordAccess::Unusable;
    QString problem_;
    QStringList recordTables_;     // the record tables the file holds
    bool parTableExists_ = false;  // under that name, whatever its columns
    bool hasParTable_ = false;     // with the columns this version reads
    bool keptGameHasPar_ = false;
    QHash<QString, QSqlQuery> prepared_;  // by statement
};

// One write transaction (BEGIN IMMEDIATE) on a database: rolled back unless committed, and the
// database's usual lock wait and syncing given back however it ends.
class TransactionGuard {
public:
    // A busy timeout of its own makes it a save during play: that short wait for another copy's
    // lock, and synchronous=NORMAL (a killed program loses nothing; a power cut may lose the
    // last swaps), since the fsync of every swap would cost the game its frame.
    TransactionGuard(RecordDatabase& database, const QString& what, std::optional<int> busyTimeoutMs = std::nullopt);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void Commit();

private:
    // Runs a statement whose failure changes nothing worth reporting.
    void Quietly(const QString& sql) const;
    void GiveBackSettings() const;

    RecordDatabase& database_;
    QString what_;
    bool quickSave_;
    bool committed_ = false;
};

}  // namespace qx

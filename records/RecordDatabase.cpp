#include "records/RecordDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <algorithm>

EDatabaseError::EDatabaseError(const QString& message, int engineCode)
    : std::runtime_error(message.toStdString()), engineCode_(engineCode)
{
}

namespace qx {

namespace {

// SQLite's primary result codes that the player can do something about.
enum EngineCode {
    Busy = 5,
    Locked = 6,
    ReadOnlyFile = 8,
    IoError = 10,
    Corrupt = 11,
    DiskFull = 13,
    CannotOpen = 14,
    NotADatabase = 26
};

struct FieldSpec {
    const char* name;
    const char* type;
};
// Positions 0 … 7 of every table; the Puzzle II tables add PRBB at 8.
constexpr FieldSpec Fields[] = {
    {"NB", "INTEGER"}, {"DATE", "TEXT"}, {"NAME", "TEXT"}, {"JKN", "TEXT"},  {"JKNCD", "INTEGER"},
    {"CNT", "TEXT"},   {"TIME", "TEXT"}, {"PRBA", "TEXT"}, {"PRBB", "TEXT"},
};
int FieldCount(const QString& table) { return table.startsWith(QLatin1String("kirokuB")) ? 9 : 8; }

const QStringList& RecordTables()
{
    static const QStringList Tables{QStringLiteral("kirokuA9"),  QStringLiteral("kirokuA16"),
                                    QStringLiteral("kirokuA25"), QStringLiteral("kirokuB9"),
                                    QStringLiteral("kirokuB16"), QStringLiteral("kirokuB25")};
    return Tables;
}

// The game in progress of each game type (GAME is its GameType); the rest as SavedGame holds it.
const QString KeptGameColumns = QStringLiteral(
    "GAME INTEGER PRIMARY KEY, SIZE INTEGER, JKNCD INTEGER, PRBA TEXT, PRBB TEXT, BANA TEXT, BANB TEXT, "
    "CNT INTEGER, SECS INTEGER");

// The side table's columns: the record's table and rowid, the par (NULL when unknown), the hints,
// and the record's CNT and PRBA copied as stored, without affinity, so that a side row left by the
// previous version's delete is told from the later record that took its rowid.
const QString ParColumns = QStringLiteral(
    "TBL TEXT NOT NULL, ID INTEGER NOT NULL, PARLB INTEGER, PARFOUND INTEGER, HINTS INTEGER, CNT, PRBA, "
    "PRIMARY KEY (TBL, ID)");
const QStringList ParColumnNames{QStringLiteral("TBL"),      QStringLiteral("ID"),    QStringLiteral("PARLB"),
                                 QStringLiteral("PARFOUND"), QStringLiteral("HINTS"), QStringLiteral("CNT"),
                                 QStringLiteral("PRBA")};
const QStringList KeptGameParColumns{QStringLiteral("HINTS"), QStringLiteral("PARLB"), QStringLiteral("PARFOUND")};

bool ContainsAll(const QStringList& columns, const QStringList& wanted)
{
    return std::all_of(wanted.begin(), wanted.end(),
                       [&columns](const QString& c) { return columns.contains(c, Qt::CaseInsensitive); });
}

// The engine reports extended codes (a read-only directory is 1544); their low byte is the kind.
int PrimaryCode(const QSqlError& error) { return error.nativeErrorCode().toInt() & 0xff; }

// What to tell the player about an engine error: what is wrong and what to do about it.
QString Advice(const QSqlError& error)
{
    switch (PrimaryCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral(
            "記録のデータベースを別のプログラム（もう一つのＱＸパズルなど）が使っています。"
            "しばらくしてから、もう一度試してください。");
    case ReadOnlyFile:
        return QStringLiteral(
            "記録のデータベースに書き込めません。フォルダ data とその中のファイルに"
            "書き込めるようにしてください。");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral(
            "記録のデータベースのファイルが壊れているか、データベースではありません。"
            "ファイルはそのまま残してあります。");
    case DiskFull: return QStringLiteral("ディスクに空きがありません。空きを作ってから、もう一度試してください。");
    case CannotOpen:
        return QStringLiteral(
            "記録のデータベースのファイルを開けません。フォルダ data があり、"
            "読み書きできることを確かめてください。");
    case IoError:
        return QStringLiteral(
            "記録のデータベースの読み書きに失敗しました。ディスクを確かめてから、"
            "もう一度試してください。");
    default: return QStringLiteral("記録のデータベースでエラーが起きました。もう一度試してください。");
    }
}

QString Quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

EDatabaseError RecordDatabase::Failure(const QString& what, const QSqlError& error)
{
    QString detail = error.databaseText().trimmed();
    if (detail.isEmpty()) detail = error.text().trimmed();
    return EDatabaseError(
        what + Advice(error) + (detail.isEmpty() ? QString() : QStringLiteral("\n（") + detail + QStringLiteral("）")),
        PrimaryCode(error));
}

RecordDatabase::RecordDatabase(const QString& path, int busyTimeoutMs)
    : path_(QDir::current().absoluteFilePath(path)), busyTimeoutMs_(busyTimeoutMs)
{
    static int connections = 0;
    connection_ = QStringLiteral("kiroku-%1").arg(++connections);
}

RecordDatabase::~RecordDatabase()
{
    Close();
    QSqlDatabase::removeDatabase(connection_);
}

RecordAccess RecordDatabase::Open()
{
    if (access_ == RecordAccess::ReadWrite) return access_;
    Close();
    problem_.clear();
    try {
        access_ = OpenFile();
    } catch (const EDatabaseError& e) {
        Close();
        access_ = RecordAccess::Unusable;
        problem_ = e.Message();
    }
    if (access_ == RecordAccess::ReadOnly)
        problem_ = QStringLiteral(
            "記録のデータベースは読み取り専用です。記録と削除をするには、フォルダ data と"
            "その中のファイルに書き込めるようにしてください。");
    return access_;
}

RecordAccess RecordDatabase::OpenFile()
{
    const QFileInfo file(path_);
    if (file.exists() && !file.isFile())
        throw EDatabaseError(QStringLiteral("%1 はファイルではないため、記録を読み書きできません。").arg(path_));
    if (!file.exists() && !QDir().mkpath(file.absolutePath()))
        throw EDatabaseError(QStringLiteral("フォルダ %1 を作れないため、記録を残せません。").arg(file.absolutePath()));

    // Nothing is written before the file has passed both checks.
    Connect(Mode::Normal);
    try {
        CheckIntegrity();
    } catch (const EDatabaseError& e) {
        // A file we may not write, or in a folder we may not write (its journal goes there),
        // is still listed, through a read-only connection.
        if (!file.exists() || (e.EngineCode() != ReadOnlyFile && e.EngineCode() != CannotOpen)) throw;
        Close();
        Connect(Mode::ReadOnly);
        try {
            CheckIntegrity();
        } catch (const EDatabaseError&) {
            Close();
            Connect(Mode::Immutable);
            CheckIntegrity();
        }
        CheckRecordTables();
        CheckAdditions();
        return RecordAccess::ReadOnly;
    }
    CheckRecordTables();
    CheckAdditions();
    return PrepareForWriting();
}

void RecordDatabase::Connect(Mode mode)
{
    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? QSqlDatabase::database(connection_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_);
    QString name = path_;
    if (mode != Mode::Normal) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    if (mode == Mode::Immutable) {
        // Without the right to create the journal's shared memory beside it, a WAL file can
        // only be read as a file that nobody changes.
        options += QStringLiteral(";QSQLITE_OPEN_URI");
        name = QUrl::fromLocalFile(path_).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1");
    }
    db.setConnectOptions(options);
    db.setDatabaseName(name);
    if (!db.open()) throw Failure(QStringLiteral("記録のデータベースを開けませんでした。"), db.lastError());
}

void RecordDatabase::Close()
{
    prepared_.clear();
    recordTables_.clear();
    parTableExists_ = hasParTable_ = keptGameHasPar_ = false;
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
}

QSqlQuery RecordDatabase::Run(const QString& sql, const QVariantList& binds, const QString& what)
{
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw Failure(what, q.lastError());
    for (const QVariant& v : binds) q.addBindValue(v);
    if (!q.exec()) throw Failure(what, q.lastError());
    return q;
}

QSqlQuery& RecordDatabase::Prepared(const QString& sql, const QString& what)
{
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        QSqlQuery q(Connection());
        if (!q.prepare(sql)) throw Failure(what, q.lastError());
        found = prepared_.insert(sql, q);
    }
    return found.value();
}

void RecordDatabase::InWriteTransaction(const QString& what, const std::function<void()>& body)
{
    TransactionGuard transaction(*this, what);
    body();
    transaction.Commit();
}

bool RecordDatabase::InSavepoint(const QString& name, const std::function<void()>& body)
{
    QSqlQuery q(Connection());
    if (!q.exec(QStringLiteral("SAVEPOINT %1").arg(Quoted(name)))) return false;
    try {
        body();
    } catch (const EDatabaseError&) {
        q.exec(QStringLiteral("ROLLBACK TO %1").arg(Quoted(name)));
        q.exec(QStringLiteral("RELEASE %1").arg(Quoted(name)));
        return false;
    }
    return q.exec(QStringLiteral("RELEASE %1").arg(Quoted(name)));
}

QSqlDatabase RecordDatabase::Connection() const { return QSqlDatabase::database(connection_, false); }

void RecordDatabase::CheckIntegrity()
{
    const QString what = QStringLiteral("記録のデータベースを読めませんでした。");
    QSqlQuery q = Run(QStringLiteral("PRAGMA quick_check"), {}, what);
    if (!q.next()) throw Failure(what, q.lastError());
    const QString verdict = q.value(0).toString();
    if (verdict != QLatin1String("ok")) {
        const QStringList problems = verdict.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(0, 3);
        throw EDatabaseError(
            QStringLiteral("記録のデータベースのファイルが壊れています。ファイルはそのまま残してあります。\n（") +
            problems.join(QLatin1Char(' ')) + QStringLiteral("）"));
    }
}

// A table made elsewhere must hold our fields at their positions; a file with one wrong table
// is refused whole.
void RecordDatabase::CheckRecordTables()
{
    recordTables_.clear();
    for (const QString& table : RecordTables()) {
        const QStringList columns = ColumnsOf(table);
        if (columns.isEmpty()) continue;
        for (int pos = 0; pos < FieldCount(table); ++pos) {
            const QString expected = QLatin1String(Fields[pos].name);
            if (pos >= columns.size() || columns[pos].compare(expected, Qt::CaseInsensitive) != 0)
                throw EDatabaseError(
                    QStringLiteral("記録表 %1 の %2 番目の欄が %3 ではありません（%4）。"
                                   "ファイルはそのまま残してあります。")
                        .arg(table)
                        .arg(pos + 1)
                        .arg(expected, pos < columns.size() ? columns[pos] : QStringLiteral("欄なし")));
        }
        recordTables_ << table;
    }
}

QStringList RecordDatabase::ColumnsOf(const QString& table)
{
    QSqlQuery q = Run(QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)), {},
                      QStringLiteral("記録表 %1 を調べられませんでした。").arg(table));
    QStringList columns;
    while (q.next()) columns << q.value(1).toString();
    return columns;
}

// A side table or kept games' table made elsewhere without our columns is simply not used.
void RecordDatabase::CheckAdditions()
{
    const QStringList side = ColumnsOf(ParTable());
    parTableExists_ = !side.isEmpty();
    hasParTable_ = ContainsAll(side, ParColumnNames);
    keptGameHasPar_ = ContainsAll(ColumnsOf(KeptGameTable()), KeptGameParColumns);
}

// Creates the missing tables and indexes in one transaction, which also shows whether the file
// may be written at all.
RecordAccess RecordDatabase::PrepareForWriting()
{
    QSqlQuery pragmas(Connection());
    // Every record reaches the disk before the window says it was stored.
    pragmas.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    pragmas.exec(QStringLiteral("PRAGMA journal_mode=WAL"));  // an optimisation: any mode is safe
    pragmas.finish();
    const QString what = QStringLiteral("記録表を用意できませんでした。");
    try {
        ProbeWriting(what);
        if (!MissingRecordTablesOrIndexes() && HasKeptGameTable() && parTableExists_ && keptGameHasPar_)
            return RecordAccess::ReadWrite;
        InWriteTransaction(what, [this] { CreateTables(); });
    } catch (const EDatabaseError& e) {
        // Another copy of the game writing just now: the file is fine, and each write waits.
        const bool busy = e.EngineCode() == Busy || e.EngineCode() == Locked;
        if (busy && recordTables_.size() == RecordTables().size()) return RecordAccess::ReadWrite;
        if (e.EngineCode() != ReadOnlyFile) throw;
        return RecordAccess::ReadOnly;
    }
    recordTables_ = RecordTables();
    CheckAdditions();
    return RecordAccess::ReadWrite;
}

// The record tables with their indexes, then the kept games' table, then what this version adds
// beside them: the additions may fail (a table of that name made elsewhere) without costing the
// records.
void RecordDatabase::CreateTables()
{
    for (const QString& table : RecordTables()) {
        QStringList columns;
        for (int i = 0; i < FieldCount(table); ++i)
            columns << QStringLiteral("%1 %2").arg(QLatin1String(Fields[i].name), QLatin1String(Fields[i].type));
        const QString failed = QStringLiteral("記録表 %1 を作れませんでした。").arg(table);
        Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(table, columns.join(QLatin1String(", "))), {},
            failed);
        Run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_NB ON %1 (NB)").arg(table), {}, failed);
    }
    Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(KeptGameTable(), KeptGameColumns), {},
        QStringLiteral("表 %1 を作れませんでした。").arg(KeptGameTable()));
    InSavepoint(QStringLiteral("additions"), [this] { CreateAdditions(); });
}

void RecordDatabase::CreateAdditions()
{
    const QString failed = QStringLiteral("表 %1 を作れませんでした。").arg(ParTable());
    Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(ParTable(), ParColumns), {}, failed);
    const QStringList kept = ColumnsOf(KeptGameTable());
    for (const QString& column : KeptGameParColumns)
        if (!kept.contains(column, Qt::CaseInsensitive))
            Run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER").arg(KeptGameTable(), column), {}, failed);
}

// A write that is rolled back: a file that may only be read refuses it, and nothing changes.
void RecordDatabase::ProbeWriting(const QString& what)
{
    const TransactionGuard probe(*this, what);
    QSqlQuery version = Run(QStringLiteral("PRAGMA user_version"), {}, what);
    const int userVersion = version.next() ? version.value(0).toInt() : 0;
    version.finish();
    Run(QStringLiteral("PRAGMA user_version = %1").arg(userVersion), {}, what);
}

bool RecordDatabase::MissingRecordTablesOrIndexes()
{
    if (recordTables_.size() < RecordTables().size()) return true;
    QSqlQuery q = Run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"), {},
                      QStringLiteral("記録表を調べられませんでした。"));
    QStringList indexes;
    while (q.next()) indexes << q.value(0).toString();
    for (const QString& table : RecordTables())
        if (!indexes.contains(table + QStringLiteral("_NB"))) return true;
    return false;
}

bool RecordDatabase::HasKeptGameTable()
{
    QSqlQuery q = Run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"),
                      {KeptGameTable()}, QStringLiteral("記録表を調べられませんでした。"));
    return q.next();
}

void RecordDatabase::RequireReadable() const
{
    if (access_ == RecordAccess::Unusable) throw EDatabaseError(problem_);
}

void RecordDatabase::RequireWritable(const QString& what) const
{
    RequireReadable();
    if (access_ == RecordAccess::ReadOnly) throw EDatabaseError(what + problem_, ReadOnlyFile);
}

TransactionGuard::TransactionGuard(RecordDatabase& database, const QString& what, std::optional<int> busyTimeoutMs)
    : database_(database), what_(what), quickSave_(busyTimeoutMs.has_value())
{
    if (quickSave_) {
        Quietly(QStringLiteral("PRAGMA busy_timeout = %1").arg(*busyTimeoutMs));
        Quietly(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    // IMMEDIATE takes the write lock before anything is read, so that two copies of the game
    // never number two records alike.
    try {
        database_.Run(QStringLiteral("BEGIN IMMEDIATE"), {}, what_);
    } catch (...) {
        GiveBackSettings();
        throw;
    }
}

TransactionGuard::~TransactionGuard()
{
    if (!committed_) Quietly(QStringLiteral("ROLLBACK"));
    GiveBackSettings();
}

void TransactionGuard::Commit()
{
    database_.Run(QStringLiteral("COMMIT"), {}, what_);
    committed_ = true;
}

void TransactionGuard::Quietly(const QString& sql) const { QSqlQuery(database_.Connection()).exec(sql); }

void TransactionGuard::GiveBackSettings() const
{
    if (!quickSave_) return;
    Quietly(QStringLiteral("PRAGMA synchronous = FULL"));
    Quietly(QStringLiteral("PRAGMA busy_timeout = %1").arg(database_.BusyTimeoutMs()));
}

}  // namespace qx

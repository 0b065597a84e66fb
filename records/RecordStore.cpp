#include "records/RecordStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <algorithm>
#include <limits>

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
int FieldCount(GameType game) { return game == GameType::PuzzleII ? 9 : 8; }
int FieldCount(const QString& table)
{
    return FieldCount(table.startsWith(QLatin1String("kirokuB")) ? GameType::PuzzleII : GameType::PuzzleI);
}

const QStringList& RecordTables()
{
    static const QStringList tables{QStringLiteral("kirokuA9"),  QStringLiteral("kirokuA16"),
                                    QStringLiteral("kirokuA25"), QStringLiteral("kirokuB9"),
                                    QStringLiteral("kirokuB16"), QStringLiteral("kirokuB25")};
    return tables;
}

// The game in progress of each game type (GAME is its GameType); the rest as SavedGame holds it.
const QString SavedGameTable = QStringLiteral("chudan");
const QString SavedGameColumns = QStringLiteral(
    "GAME INTEGER PRIMARY KEY, SIZE INTEGER, JKNCD INTEGER, PRBA TEXT, PRBB TEXT, BANA TEXT, BANB TEXT, "
    "CNT INTEGER, SECS INTEGER");

// A stored integer, or -1 (refused by every check) for text or a fraction in its place.
long long StoredInteger(const QVariant& value)
{
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || value.isNull()) return -1;
    if (value.typeId() == QMetaType::Double && double(n) != value.toDouble()) return -1;
    return n;
}

// A band's rows: numbers strictly between its bounds; condition 1 has no lower bound and
// condition 6 no upper one. BandBounds gives its four parameters.
const QString BandFilter = QStringLiteral("(? IS NULL OR NB > ?) AND (? IS NULL OR NB < ?)");

QVariantList BandBounds(SwapCondition band)
{
    const int condition = int(band);
    const QVariant lower = band == SwapCondition::FreeSwap ? QVariant() : QVariant(100 * condition);
    const QVariant upper = band == SwapCondition::DifferByOne ? QVariant() : QVariant(100 * (condition + 1));
    return {lower, lower, upper, upper};
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

EDatabaseError Failure(const QString& what, const QSqlError& error)
{
    QString detail = error.databaseText().trimmed();
    if (detail.isEmpty()) detail = error.text().trimmed();
    return EDatabaseError(
        what + Advice(error) + (detail.isEmpty() ? QString() : QStringLiteral("\n（") + detail + QStringLiteral("）")),
        PrimaryCode(error));
}

QString Quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

RecordStore::RecordStore(const QString& path, int busyTimeoutMs)
    : path_(QDir::current().absoluteFilePath(path)), busyTimeoutMs_(busyTimeoutMs)
{
    static int stores = 0;
    connection_ = QStringLiteral("kiroku-%1").arg(++stores);
}

RecordStore::~RecordStore()
{
    Close();
    QSqlDatabase::removeDatabase(connection_);
}

QString RecordStore::TableName(GameType game, BoardSize size)
{
    if (!GameTypeOf(int(game)) || !BoardSizeOf(int(size)))
        throw EDatabaseError(
            QStringLiteral("ゲームの種類 %1、大きさ %2 の記録表はありません。").arg(int(game)).arg(int(size)));
    return QStringLiteral("kiroku%1%2").arg(QLatin1Char(game == GameType::PuzzleI ? 'A' : 'B')).arg(CellCount(size));
}

int RecordStore::FirstNumber(SwapCondition condition) { return 100 * int(condition) + 1; }

std::optional<int> RecordStore::LastNumber(SwapCondition condition)
{
    if (condition == SwapCondition::DifferByOne || !SwapConditionOf(int(condition))) return std::nullopt;
    return 100 * int(condition) + 99;
}

RecordAccess RecordStore::Open()
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

RecordAccess RecordStore::OpenFile()
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
        CheckTables();
        return RecordAccess::ReadOnly;
    }
    CheckTables();
    return PrepareForWriting();
}

void RecordStore::Connect(Mode mode)
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

void RecordStore::Close()
{
    readers_.clear();
    tables_.clear();
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
}

QSqlQuery RecordStore::Run(const QString& sql, const QVariantList& binds, const QString& what)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw Failure(what, q.lastError());
    for (const QVariant& v : binds) q.addBindValue(v);
    if (!q.exec()) throw Failure(what, q.lastError());
    return q;
}

template <class Body>
void RecordStore::InWriteTransaction(const QString& what, Body&& body)
{
    // IMMEDIATE takes the write lock before anything is read, so that two copies of the game
    // never number two records alike.
    Run(QStringLiteral("BEGIN IMMEDIATE"), {}, what);
    try {
        body();
        Run(QStringLiteral("COMMIT"), {}, what);
    } catch (...) {
        QSqlQuery(QSqlDatabase::database(connection_, false)).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void RecordStore::CheckIntegrity()
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
void RecordStore::CheckTables()
{
    tables_.clear();
    for (const QString& table : RecordTables()) {
        QSqlQuery q = Run(QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)), {},
                          QStringLiteral("記録表 %1 を調べられませんでした。").arg(table));
        QStringList columns;
        while (q.next()) columns << q.value(1).toString();
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
        tables_ << table;
    }
}

// Creates the missing tables and indexes in one transaction, which also shows whether the file
// may be written at all.
RecordAccess RecordStore::PrepareForWriting()
{
    QSqlQuery pragmas(QSqlDatabase::database(connection_, false));
    // Every record reaches the disk before the window says it was stored.
    pragmas.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    pragmas.exec(QStringLiteral("PRAGMA journal_mode=WAL"));  // an optimisation: any mode is safe
    pragmas.finish();
    const QString what = QStringLiteral("記録表を用意できませんでした。");
    try {
        ProbeWriting(what);
        if (!MissingTablesOrIndexes() && !MissingSavedGameTable()) return RecordAccess::ReadWrite;
        InWriteTransaction(what, [this] {
            for (const QString& table : RecordTables()) {
                QStringList columns;
                for (int i = 0; i < FieldCount(table); ++i)
                    columns << QStringLiteral("%1 %2").arg(QLatin1String(Fields[i].name),
                                                           QLatin1String(Fields[i].type));
                const QString failed = QStringLiteral("記録表 %1 を作れませんでした。").arg(table);
                Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(table, columns.join(QLatin1String(", "))),
                    {}, failed);
                Run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_NB ON %1 (NB)").arg(table), {}, failed);
            }
            Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(SavedGameTable, SavedGameColumns), {},
                QStringLiteral("表 %1 を作れませんでした。").arg(SavedGameTable));
        });
    } catch (const EDatabaseError& e) {
        // Another copy of the game writing just now: the file is fine, and each write waits.
        const bool busy = e.EngineCode() == Busy || e.EngineCode() == Locked;
        if (busy && tables_.size() == RecordTables().size()) return RecordAccess::ReadWrite;
        if (e.EngineCode() != ReadOnlyFile) throw;
        return RecordAccess::ReadOnly;
    }
    tables_ = RecordTables();
    return RecordAccess::ReadWrite;
}

// A write that is rolled back: a file that may only be read refuses it, and nothing changes.
void RecordStore::ProbeWriting(const QString& what)
{
    Run(QStringLiteral("BEGIN IMMEDIATE"), {}, what);
    try {
        QSqlQuery version = Run(QStringLiteral("PRAGMA user_version"), {}, what);
        const int userVersion = version.next() ? version.value(0).toInt() : 0;
        version.finish();
        Run(QStringLiteral("PRAGMA user_version = %1").arg(userVersion), {}, what);
    } catch (...) {
        QSqlQuery(QSqlDatabase::database(connection_, false)).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    Run(QStringLiteral("ROLLBACK"), {}, what);
}

bool RecordStore::MissingTablesOrIndexes()
{
    if (tables_.size() < RecordTables().size()) return true;
    QSqlQuery q = Run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"), {},
                      QStringLiteral("記録表を調べられませんでした。"));
    QStringList indexes;
    while (q.next()) indexes << q.value(0).toString();
    for (const QString& table : RecordTables())
        if (!indexes.contains(table + QStringLiteral("_NB"))) return true;
    return false;
}

bool RecordStore::MissingSavedGameTable()
{
    QSqlQuery q = Run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {SavedGameTable},
                      QStringLiteral("記録表を調べられませんでした。"));
    return !q.next();
}

void RecordStore::RequireReadable() const
{
    if (access_ == RecordAccess::Unusable) throw EDatabaseError(problem_);
}

void RecordStore::RequireWritable(const QString& what) const
{
    RequireReadable();
    if (access_ == RecordAccess::ReadOnly) throw EDatabaseError(what + problem_, ReadOnlyFile);
}

// The table of a game and size, or empty when a read-only file lacks it.
QString RecordStore::ExistingTable(GameType game, BoardSize size) const
{
    RequireReadable();
    const QString table = TableName(game, size);
    return tables_.contains(table) ? table : QString();
}

std::vector<RecordKey> RecordStore::List(GameType game, BoardSize size)
{
    std::vector<RecordKey> keys;
    const QString table = ExistingTable(game, size);
    if (table.isEmpty()) return keys;
    // Only the key and number of each row: a table of ten thousand records opens at once, and
    // the other fields are read as the grid shows them.
    QSqlQuery q = Run(QStringLiteral("SELECT rowid, NB FROM %1 ORDER BY NB, rowid").arg(table), {},
                      QStringLiteral("記録表 %1 を読めませんでした。").arg(table));
    while (q.next()) keys.push_back(RecordKey{q.value(0).toLongLong(), q.value(1)});
    if (q.lastError().isValid())
        throw Failure(QStringLiteral("記録表 %1 を読めませんでした。").arg(table), q.lastError());
    return keys;
}

RecordRow RecordStore::Read(GameType game, BoardSize size, qint64 rowid)
{
    const QString table = ExistingTable(game, size);
    const QString what = QStringLiteral("記録を読めませんでした。");
    if (table.isEmpty()) throw EDatabaseError(what);
    auto reader = readers_.find(table);
    if (reader == readers_.end()) {
        QSqlQuery q(QSqlDatabase::database(connection_, false));
        const QString codeB = game == GameType::PuzzleII ? QStringLiteral(", PRBB") : QString();
        if (!q.prepare(QStringLiteral("SELECT NB, DATE, NAME, JKN, JKNCD, CNT, TIME, PRBA%1 FROM %2 WHERE rowid = ?")
                           .arg(codeB, table)))
            throw Failure(what, q.lastError());
        reader = readers_.insert(table, q);
    }
    QSqlQuery& q = reader.value();
    q.bindValue(0, rowid);
    if (!q.exec()) throw Failure(what, q.lastError());
    if (!q.next()) {
        q.finish();
        throw EDatabaseError(what + QStringLiteral("記録表を開き直してください。"));
    }
    RecordRow row{q.value(0),
                  q.value(1).toString(),
                  q.value(2).toString(),
                  q.value(3).toString(),
                  q.value(4),
                  q.value(5).toString(),
                  q.value(6).toString(),
                  q.value(7).toString(),
                  game == GameType::PuzzleII ? q.value(8).toString() : QString()};
    q.finish();
    return row;
}

std::optional<int> RecordStore::NextNumber(GameType game, BoardSize size, SwapCondition condition)
{
    const QString table = ExistingTable(game, size);
    if (!SwapConditionOf(int(condition)))
        throw EDatabaseError(QStringLiteral("入れ替え条件 %1 の記録番号はありません。").arg(int(condition)));
    if (table.isEmpty()) return FirstNumber(condition);
    const QString what = QStringLiteral("記録番号を決められませんでした。");
    QSqlQuery q =
        Run(QStringLiteral("SELECT max(NB) FROM %1 WHERE %2").arg(table, BandFilter), BandBounds(condition), what);
    const QVariant largest = q.next() ? q.value(0) : QVariant();
    if (largest.isNull()) return FirstNumber(condition);
    bool ok = false;
    const qlonglong value = largest.toLongLong(&ok);
    if (!ok)
        throw EDatabaseError(
            what + QStringLiteral("記録表 %1 に数でない記録番号「%2」があります。").arg(table, largest.toString()));
    // The walk over the band starts from 0: a band of numbers below 1 starts afresh.
    if (value <= 0) return FirstNumber(condition);
    if (value >= std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value) + 1;
}

AddResult RecordStore::Add(GameType game, BoardSize size, const NewRecord& record)
{
    const QString what = QStringLiteral("記録を保存できませんでした。");
    RequireWritable(what);
    const QString table = TableName(game, size);
    AddResult result;
    InWriteTransaction(what, [&] {
        const std::optional<int> number = NextNumber(game, size, record.condition);
        const std::optional<int> last = LastNumber(record.condition);
        if (!number || (last && *number > *last)) {
            result.refusal = QStringLiteral(
                                 "「%1」の記録はいっぱいです（%2～%3 番）。\n"
                                 "いらない記録を削除してから、もう一度「記録」ボタンをクリックしてください。")
                                 .arg(record.conditionName)
                                 .arg(FirstNumber(record.condition))
                                 .arg(last ? QString::number(*last) : QString());
            return;
        }
        if (afterNumbering) afterNumbering();
        QVariantList values{*number,      record.date, record.name, record.conditionName, int(record.condition),
                            record.count, record.time, record.codeA};
        QString columns = QStringLiteral("NB, DATE, NAME, JKN, JKNCD, CNT, TIME, PRBA");
        if (game == GameType::PuzzleII) {
            values << record.codeB;
            columns += QStringLiteral(", PRBB");
        }
        const QString marks = QStringList(values.size(), QStringLiteral("?")).join(QLatin1String(", "));
        QSqlQuery q = Run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, marks), values, what);
        result.added = RecordKey{q.lastInsertId().toLongLong(), *number};
    });
    return result;
}

void RecordStore::DeleteAndRenumber(GameType game, BoardSize size, qint64 rowid, SwapCondition condition)
{
    const QString what = QStringLiteral("記録を削除できませんでした。");
    RequireWritable(what);
    const QString table = TableName(game, size);
    if (!SwapConditionOf(int(condition)))
        throw EDatabaseError(what + QStringLiteral("入れ替え条件 %1 の記録番号は振り直せません。").arg(int(condition)));
    InWriteTransaction(what, [&] {
        Run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table), {rowid}, what);
        if (afterDelete) afterDelete();
        // The band's rows in list order get 100 × condition + 1, + 2, … in one statement;
        // rows that already carry their number are not written.
        const int base = 100 * int(condition);
        Run(QStringLiteral("UPDATE %1 SET NB = ? + r.rn FROM (SELECT rowid AS id, row_number() OVER "
                           "(ORDER BY NB, rowid) AS rn FROM %1 WHERE %2) AS r "
                           "WHERE %1.rowid = r.id AND %1.NB IS NOT ? + r.rn")
                .arg(table, BandFilter),
            QVariantList{base} + BandBounds(condition) + QVariantList{base}, what);
    });
}

template <class Body>
void RecordStore::InSavedGameTransaction(const QString& what, int busyTimeoutMs, Body&& body)
{
    RequireWritable(what);
    QSqlQuery pragma(QSqlDatabase::database(connection_, false));
    pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs));
    // Survives the program being killed (the WAL is in the file system); only a power cut could
    // lose the last swaps, and the fsync of every swap would cost the game its frame.
    pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    try {
        InWriteTransaction(what, body);
    } catch (...) {
        pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs_));
        throw;
    }
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    pragma.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs_));
}

std::optional<SavedGame> RecordStore::ReadSavedGame(GameType game)
{
    RequireReadable();
    const QString what = QStringLiteral("前回の続きを読めませんでした。");
    if (MissingSavedGameTable()) return std::nullopt;
    QSqlQuery q = Run(QStringLiteral("SELECT GAME, SIZE, JKNCD, PRBA, PRBB, BANA, BANB, CNT, SECS FROM %1 "
                                     "WHERE GAME = ?")
                          .arg(SavedGameTable),
                      {int(game)}, what);
    if (!q.next()) {
        if (q.lastError().isValid()) throw Failure(what, q.lastError());
        return std::nullopt;
    }
    SavedGame saved;
    saved.game = int(StoredInteger(q.value(0)));
    saved.size = int(std::clamp<long long>(StoredInteger(q.value(1)), -1, 99));
    saved.condition = int(std::clamp<long long>(StoredInteger(q.value(2)), -1, 99));
    saved.codeA = q.value(3).toString().toStdString();
    saved.codeB = q.value(4).toString().toStdString();
    saved.boardA = q.value(5).toString().toStdString();
    saved.boardB = q.value(6).toString().toStdString();
    saved.swapCount = StoredInteger(q.value(7));
    saved.elapsedSeconds = StoredInteger(q.value(8));
    return saved;
}

void RecordStore::SaveGame(const SavedGame& saved, int busyTimeoutMs)
{
    const QString what = QStringLiteral("続きを保存できませんでした。");
    InSavedGameTransaction(what, busyTimeoutMs, [&] {
        Run(QStringLiteral("INSERT OR REPLACE INTO %1 (GAME, SIZE, JKNCD, PRBA, PRBB, BANA, BANB, CNT, SECS) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
                .arg(SavedGameTable),
            {saved.game, saved.size, saved.condition, QString::fromStdString(saved.codeA),
             QString::fromStdString(saved.codeB), QString::fromStdString(saved.boardA),
             QString::fromStdString(saved.boardB), saved.swapCount, saved.elapsedSeconds},
            what);
        if (afterSavedGameWritten) afterSavedGameWritten();
    });
}

void RecordStore::DeleteSavedGame(GameType game, int busyTimeoutMs)
{
    const QString what = QStringLiteral("前回の続きを消せませんでした。");
    InSavedGameTransaction(what, busyTimeoutMs, [&] {
        Run(QStringLiteral("DELETE FROM %1 WHERE GAME = ?").arg(SavedGameTable), {int(game)}, what);
    });
}

}  // namespace qx

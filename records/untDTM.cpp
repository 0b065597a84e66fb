#include "records/untDTM.h"

#include "core/GameState.h"
#include "shell/Seams.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <limits>

using qx::GameState;

namespace {

TDataModule1* theDataModule = nullptr;

const QString DatabaseFile = QStringLiteral("data/kiroku.sqlite");

struct FieldSpec {
    const char* name;
    const char* type;
};
// Positions 0 … 7 of every table; kirokuB tables add PRBB at 8.
constexpr FieldSpec Fields[] = {
    {"NB", "INTEGER"},   {"DATE", "TEXT"}, {"NAME", "TEXT"}, {"JKN", "TEXT"},  {"JKNCD", "INTEGER"},
    {"CNT", "TEXT"},     {"TIME", "TEXT"}, {"PRBA", "TEXT"}, {"PRBB", "TEXT"},
};
constexpr int FieldsA = 8;
constexpr int FieldsB = 9;

const QStringList& RecordTables()
{
    static const QStringList tables{QStringLiteral("kirokuA9"),  QStringLiteral("kirokuA16"),
                                    QStringLiteral("kirokuA25"), QStringLiteral("kirokuB9"),
                                    QStringLiteral("kirokuB16"), QStringLiteral("kirokuB25")};
    return tables;
}

int FieldCountOf(const QString& table) { return table.startsWith(QLatin1String("kirokuB")) ? FieldsB : FieldsA; }

QString Quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString Detail(const QSqlError& e)
{
    QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("（詳細不明）") : text;
}

// The statements a selection runs again and again, prepared once per connection and text.
QSqlQuery& Prepared(QHash<QString, QSqlQuery>& cache, const QString& connection, const QString& sql)
{
    auto it = cache.find(sql);
    if (it == cache.end()) {
        QSqlQuery q(QSqlDatabase::database(connection, false));
        if (!q.prepare(sql))
            throw EDatabaseError(QStringLiteral("記録表の命令を準備できませんでした。\n") + Detail(q.lastError()));
        it = cache.insert(sql, q);
    }
    return it.value();
}

// Prepared statements of every selection, by connection; dropped before the connection goes.
QHash<QString, QHash<QString, QSqlQuery>>& StatementCaches()
{
    static QHash<QString, QHash<QString, QSqlQuery>> caches;
    return caches;
}

}  // namespace

EDatabaseError::EDatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}

TDataModule1* DataModule1() { return theDataModule; }

// ---------------------------------------------------------------------------------------------
// TRecordQuery

TRecordQuery::TRecordQuery(const QString& connectionName, QObject* parent)
    : QAbstractTableModel(parent), connection_(connectionName)
{
}

void TRecordQuery::Open()
{
    if (active_) return;
    const QString text = SQL.join(QLatin1Char('\n'));
    // "select * from <table> [filter] Order BY NB": the rows come with their rowid as key.
    static const QRegularExpression form(QStringLiteral(R"(^(\s*select\s+)\*(\s+from\s+(\w+)\b.*)$)"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || !RecordTables().contains(m.captured(3)))
        throw EDatabaseError(QStringLiteral("記録表の問い合わせを開けません。\n") + text);

    // Only the key and the number of each row are read here, in the query's order; the other
    // fields of a row are read when it is first looked at, so that a table of ten thousand
    // records opens at once.
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(m.captured(1) + QStringLiteral("rowid, NB") + m.captured(2)))
        throw EDatabaseError(QStringLiteral("記録表 %1 を開けませんでした。\n").arg(m.captured(3)) +
                             Detail(q.lastError()));

    beginResetModel();
    table_ = m.captured(3);
    fieldNames_.clear();
    const QSqlRecord record = db.record(table_);
    for (int i = 0; i < record.count(); ++i) fieldNames_ << record.fieldName(i);
    rows_.clear();
    while (q.next()) rows_.push_back(Row{q.value(0).toLongLong(), q.value(1), {}});
    active_ = true;
    state_ = EditState::Browse;
    current_ = -1;
    endResetModel();
    First();
}

void TRecordQuery::Close()
{
    if (!active_) return;
    beginResetModel();
    active_ = false;
    rows_.clear();
    fieldNames_.clear();
    state_ = EditState::Browse;
    current_ = -1;
    eof_ = true;
    endResetModel();
    emit currentRowChanged(-1);
}

void TRecordQuery::RequireActive() const
{
    if (!active_) throw EDatabaseError(QStringLiteral("記録表が開いていません。"));
}

void TRecordQuery::RequireRow() const
{
    RequireActive();
    if (current_ < 0 || current_ >= RecordCount()) throw EDatabaseError(QStringLiteral("記録がありません。"));
}

void TRecordQuery::RequireEditing() const
{
    RequireRow();
    if (state_ == EditState::Browse) throw EDatabaseError(QStringLiteral("記録が編集中ではありません。"));
}

void TRecordQuery::SetCurrent(int row)
{
    eof_ = rows_.empty();
    if (row == current_) return;
    // Leaving a row that is being edited posts it first.
    if (state_ != EditState::Browse) Post();
    current_ = row;
    emit currentRowChanged(row);
}

void TRecordQuery::First()
{
    RequireActive();
    SetCurrent(rows_.empty() ? -1 : 0);
}

void TRecordQuery::Next()
{
    RequireActive();
    if (state_ != EditState::Browse) Post();
    if (current_ + 1 < RecordCount())
        SetCurrent(current_ + 1);
    else
        eof_ = true;
}

void TRecordQuery::MoveTo(int row)
{
    RequireActive();
    if (rows_.empty()) return SetCurrent(-1);
    SetCurrent(std::clamp(row, 0, RecordCount() - 1));
}

const QVariant& TRecordQuery::Field(int pos) const
{
    RequireRow();
    if (pos < 0 || pos >= FieldCount())
        throw EDatabaseError(QStringLiteral("記録表 %1 に %2 番目の欄はありません。").arg(table_).arg(pos));
    return Value(current_, pos);
}

const QVariant& TRecordQuery::Value(int row, int pos) const
{
    return pos == NbField ? rows_[row].nb : Loaded(row)[pos];
}

QVariantList& TRecordQuery::Loaded(int row) const
{
    Row& r = rows_[row];
    if (!r.values.isEmpty()) return r.values;
    QSqlQuery& q = Prepared(StatementCaches()[connection_], connection_,
                            QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(Quoted(table_)));
    q.bindValue(0, r.rowid);
    const bool found = q.exec() && q.next();
    for (int i = 0; i < FieldCount(); ++i) r.values << (found ? q.value(i) : QVariant());
    q.finish();
    r.values[NbField] = r.nb;  // the number as this selection lists it
    return r.values;
}

void TRecordQuery::SetValue(int row, int pos, const QVariant& value)
{
    Loaded(row)[pos] = value;
    if (pos == NbField) rows_[row].nb = value;
}

int TRecordQuery::FieldAsInteger(int pos) const
{
    const QVariant& v = Field(pos);
    if (v.isNull()) return 0;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw EDatabaseError(QStringLiteral("「%1」は %2 欄の整数として読めません。").arg(v.toString(), FieldName(pos)));
    return static_cast<int>(n);
}

QString TRecordQuery::FieldAsString(int pos) const
{
    const QVariant& v = Field(pos);
    return v.isNull() ? QString() : v.toString();
}

void TRecordQuery::SetField(int pos, const QVariant& value)
{
    RequireEditing();
    if (pos < 0 || pos >= FieldCount())
        throw EDatabaseError(QStringLiteral("記録表 %1 に %2 番目の欄はありません。").arg(table_).arg(pos));
    SetValue(current_, pos, value);
    changed_[pos] = true;
    emit dataChanged(index(current_, pos), index(current_, pos));
}

void TRecordQuery::SetFieldAsInteger(int pos, int value) { SetField(pos, value); }
void TRecordQuery::SetFieldAsString(int pos, const QString& value) { SetField(pos, value); }

void TRecordQuery::Edit()
{
    RequireRow();
    if (state_ != EditState::Browse) return;
    before_ = Loaded(current_);
    changed_.assign(FieldCount(), false);
    state_ = EditState::Edit;
}

void TRecordQuery::Append()
{
    RequireActive();
    if (state_ != EditState::Browse) Post();
    const int row = RecordCount();
    beginInsertRows({}, row, row);
    Row fresh;
    for (int i = 0; i < FieldCount(); ++i) fresh.values << QVariant();  // loaded: nothing to read
    rows_.push_back(std::move(fresh));
    endInsertRows();
    changed_.assign(FieldCount(), false);
    state_ = EditState::Insert;
    eof_ = false;
    current_ = row;
    emit currentRowChanged(row);
}

void TRecordQuery::Post()
{
    RequireEditing();
    if (state_ == EditState::Insert)
        PostInsert();
    else
        PostEdit();
}

void TRecordQuery::PostEdit()
{
    Row& row = rows_[current_];
    Loaded(current_);
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < FieldCount(); ++i) {
        if (changed_[i] && row.values[i] != before_[i]) {
            sets << Quoted(fieldNames_[i]) + QStringLiteral(" = ?");
            binds << row.values[i];
        }
    }
    if (sets.isEmpty()) {  // nothing changed: the table is not touched
        state_ = EditState::Browse;
        return;
    }
    const QString sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(Quoted(table_), sets.join(QLatin1String(", ")));
    QSqlQuery& q = Prepared(StatementCaches()[connection_], connection_, sql);
    for (int i = 0; i < binds.size(); ++i) q.bindValue(i, binds[i]);
    q.bindValue(binds.size(), row.rowid);
    if (!q.exec()) {
        const QString why = Detail(q.lastError());
        RestoreBefore();
        state_ = EditState::Browse;
        emit dataChanged(index(current_, 0), index(current_, FieldCount() - 1));
        throw EDatabaseError(QStringLiteral("記録を書き換えられませんでした。\n") + why);
    }
    q.finish();
    state_ = EditState::Browse;
}

void TRecordQuery::PostInsert()
{
    Row& row = rows_[current_];
    QStringList columns;
    QVariantList binds;
    for (int i = 0; i < FieldCount(); ++i) {
        if (changed_[i]) {
            columns << Quoted(fieldNames_[i]);
            binds << row.values[i];
        }
    }
    const QString sql =
        columns.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(table_))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(Quoted(table_), columns.join(QLatin1String(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
    QSqlQuery& q = Prepared(StatementCaches()[connection_], connection_, sql);
    for (int i = 0; i < binds.size(); ++i) q.bindValue(i, binds[i]);
    if (!q.exec()) {
        const QString why = Detail(q.lastError());
        Cancel();
        throw EDatabaseError(QStringLiteral("記録を書き込めませんでした。\n") + why);
    }
    row.rowid = q.lastInsertId().toLongLong();
    q.finish();
    state_ = EditState::Browse;

    // The new row takes its place in NB order, after the rows of the same number.
    const int from = current_;
    const int to = SortedPosition(from);
    if (to != from) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        Row moved = std::move(rows_[from]);
        rows_.erase(rows_.begin() + from);
        rows_.insert(rows_.begin() + to, std::move(moved));
        endMoveRows();
        current_ = to;
        emit currentRowChanged(to);
    }
}

void TRecordQuery::RestoreBefore()
{
    rows_[current_].values = before_;
    rows_[current_].nb = before_.value(NbField);
}

int TRecordQuery::SortedPosition(int row) const
{
    const qlonglong nb = rows_[row].nb.toLongLong();
    int target = 0;
    for (int i = 0; i < RecordCount(); ++i) {
        if (i == row) continue;
        if (rows_[i].nb.toLongLong() <= nb) target = (i < row) ? i + 1 : i;
    }
    return target;
}

void TRecordQuery::Cancel()
{
    if (state_ == EditState::Edit) {
        RestoreBefore();
        emit dataChanged(index(current_, 0), index(current_, FieldCount() - 1));
    } else if (state_ == EditState::Insert) {
        const int row = current_;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
        current_ = -2;  // force the signal below
        state_ = EditState::Browse;
        SetCurrent(rows_.empty() ? -1 : std::min(row, RecordCount() - 1));
    }
    state_ = EditState::Browse;
}

void TRecordQuery::Delete()
{
    RequireRow();
    if (state_ == EditState::Insert) return Cancel();
    if (state_ == EditState::Edit) Cancel();
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Quoted(table_));
    QSqlQuery& q = Prepared(StatementCaches()[connection_], connection_, sql);
    q.bindValue(0, rows_[current_].rowid);
    if (!q.exec()) throw EDatabaseError(QStringLiteral("記録を削除できませんでした。\n") + Detail(q.lastError()));
    q.finish();
    const int row = current_;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    current_ = -2;
    SetCurrent(rows_.empty() ? -1 : std::min(row, RecordCount() - 1));
}

int TRecordQuery::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : RecordCount(); }

int TRecordQuery::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FieldCount(); }

QVariant TRecordQuery::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= RecordCount() || index.column() >= FieldCount()) return {};
    if (role == Qt::DisplayRole) return Value(index.row(), index.column());
    return {};
}

QVariant TRecordQuery::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal) return fieldNames_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ---------------------------------------------------------------------------------------------
// TDataModule1

TDataModule1::TDataModule1(QObject* parent) : QObject(parent)
{
    static int connections = 0;
    connection_ = QStringLiteral("kiroku-%1").arg(++connections);
    if (!theDataModule) theDataModule = this;
    Query2 = new TRecordQuery(connection_, this);
    Query2->setObjectName(QStringLiteral("Query2"));
    Query3 = new TRecordQuery(connection_, this);
    Query3->setObjectName(QStringLiteral("Query3"));
    OpenDatabase();
    if (!available_) {
        // Nothing more is read or written through this connection.
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    if (!available_)
        qx::Messages().error(QStringLiteral("記録のデータベース %1 を開けませんでした。\n"
                                            "ファイルはそのまま残してあります。ゲームはできますが、"
                                            "記録の保存・表示・削除はできません。\n\n")
                                 .arg(DatabaseFile) +
                             reason_);
}

TDataModule1::~TDataModule1()
{
    DataModuleDestroy();
    delete Query2;
    delete Query3;
    Query2 = Query3 = nullptr;
    StatementCaches().remove(connection_);
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    if (theDataModule == this) theDataModule = nullptr;
}

void TDataModule1::DataModuleDestroy()
{
    if (Query2) Query2->Close();
}

void TDataModule1::OpenDatabase()
{
    if (!QDir::current().mkpath(QStringLiteral("data"))) {
        reason_ = QStringLiteral("フォルダ data を作れませんでした。");
        return;
    }
    path_ = QDir::current().absoluteFilePath(DatabaseFile);
    QFileInfo file(path_);
    if (file.exists() && !file.isFile()) {
        reason_ = QStringLiteral("%1 はファイルではありません。").arg(path_);
        return;
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open()) {
        reason_ = Detail(db.lastError());
        return;
    }
    // Read-only check before anything is written: a damaged file is reported, never rewritten.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        reason_ = Detail(q.lastError());
        return;
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
        const QStringList problems = q.value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        reason_ = QStringLiteral("データベースが壊れています: ") + QStringList(problems.mid(0, 3)).join(QLatin1Char('\n'));
        return;
    }
    q.finish();
    // Every posted row reaches the disk before the post returns.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        reason_ = Detail(q.lastError());
        return;
    }
    q.finish();
    CreateMissingTables();
}

void TDataModule1::CreateMissingTables()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    for (const QString& table : RecordTables()) {
        const int fields = FieldCountOf(table);
        QStringList columns;
        for (int i = 0; i < fields; ++i)
            columns << QStringLiteral("%1 %2").arg(QLatin1String(Fields[i].name), QLatin1String(Fields[i].type));
        if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(table, columns.join(QLatin1String(", ")))) ||
            !q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_NB ON %1 (NB)").arg(table))) {
            reason_ = QStringLiteral("記録表 %1 を作れませんでした。\n").arg(table) + Detail(q.lastError());
            return;
        }
        // A table made elsewhere must hold our fields at their positions.
        if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
            reason_ = Detail(q.lastError());
            return;
        }
        int pos = 0;
        while (q.next() && pos < fields) {
            if (q.value(1).toString().compare(QLatin1String(Fields[pos].name), Qt::CaseInsensitive) != 0) break;
            ++pos;
        }
        q.finish();
        if (pos < fields) {
            reason_ = QStringLiteral("記録表 %1 の欄が %2 番目から違っています。").arg(table).arg(pos);
            return;
        }
    }
    available_ = true;
}

void TDataModule1::RequireAvailable() const
{
    if (!available_)
        throw EDatabaseError(QStringLiteral("記録のデータベースを使えないため、この操作はできません。\n") + reason_);
}

QString TDataModule1::TableName(char game, int size)
{
    switch (size) {
    case 1: return QStringLiteral("kiroku%1%2").arg(QLatin1Char(game)).arg(9);
    case 2: return QStringLiteral("kiroku%1%2").arg(QLatin1Char(game)).arg(16);
    case 3: return QStringLiteral("kiroku%1%2").arg(QLatin1Char(game)).arg(25);
    default: throw EDatabaseError(QStringLiteral("盤の大きさ %1 の記録表はありません。").arg(size));
    }
}

void TDataModule1::OpenQuery(TRecordQuery* query, const QString& table, bool withFilter)
{
    RequireAvailable();
    query->Close();
    query->SQL.clear();
    query->SQL << QStringLiteral("select * from ") + table;
    if (withFilter) query->SQL << QString::fromStdString(GameState.RecordFilter);
    query->SQL << QStringLiteral("Order BY NB");
    query->Open();
}

void TDataModule1::OpenRecordsA() { OpenQuery(Query2, TableName('A', GameState.ActiveSize), false); }
void TDataModule1::OpenRecordsB() { OpenQuery(Query2, TableName('B', GameState.ActiveSize), false); }
void TDataModule1::OpenConditionRecordsA() { OpenQuery(Query3, TableName('A', GameState.ActiveSize), true); }
void TDataModule1::OpenConditionRecordsB() { OpenQuery(Query3, TableName('B', GameState.ActiveSize), true); }

void TDataModule1::OpenRecords()
{
    if (GameState.ActiveGame == 1) OpenRecordsA();
    if (GameState.ActiveGame == 2) OpenRecordsB();
}

void TDataModule1::OpenConditionRecords()
{
    if (GameState.ActiveGame != 1 && GameState.ActiveGame != 2)
        throw EDatabaseError(QStringLiteral("ゲームの種類 %1 の記録表はありません。").arg(GameState.ActiveGame));
    if (GameState.ActiveGame == 1) OpenConditionRecordsA();
    if (GameState.ActiveGame == 2) OpenConditionRecordsB();
}

QString TDataModule1::FilterText(int condition)
{
    switch (condition) {
    case 1: return QStringLiteral("Where NB < 200");
    case 2: return QStringLiteral("Where (NB > 200) and (NB < 300)");
    case 3: return QStringLiteral("Where (NB > 300) and (NB < 400)");
    case 4: return QStringLiteral("Where (NB > 400) and (NB < 500)");
    case 5: return QStringLiteral("Where (NB > 500) and (NB < 600)");
    case 6: return QStringLiteral("Where NB > 600");
    default: return {};
    }
}

int TDataModule1::FirstNumber(int condition) { return 100 * condition + 1; }

int TDataModule1::LastNumber(int condition)
{
    return (condition >= 1 && condition <= 5) ? 100 * condition + 99 : std::numeric_limits<int>::max();
}

int TDataModule1::NextRecordNumber()
{
    GameState.RecordFilter = FilterText(GameState.ActiveCondition).toStdString();
    OpenConditionRecords();
    int largest = 0;
    Query3->First();
    while (!Query3->Eof()) {
        largest = std::max(largest, Query3->FieldAsInteger(0));
        Query3->Next();
    }
    // A hand-edited table may already hold the largest number there is.
    if (largest == std::numeric_limits<int>::max())
        throw EDatabaseError(QStringLiteral("記録番号 %1 の次の番号はありません。").arg(largest));
    return largest > 0 ? largest + 1 : FirstNumber(GameState.ActiveCondition);
}

void TDataModule1::BeginTransaction()
{
    RequireAvailable();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction())
        throw EDatabaseError(QStringLiteral("記録表の書き換えを始められませんでした。\n") + Detail(db.lastError()));
}

void TDataModule1::Commit()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.commit()) {
        const QString why = Detail(db.lastError());
        db.rollback();
        throw EDatabaseError(QStringLiteral("記録表の書き換えを確定できませんでした。\n") + why);
    }
}

void TDataModule1::Rollback() { QSqlDatabase::database(connection_, false).rollback(); }

void TDataModule1::RenumberRecords()
{
    const int condition = GameState.ActiveCondition;
    if (condition < 1 || condition > 6)
        throw EDatabaseError(QStringLiteral("入れ替え条件 %1 の記録番号は振り直せません。").arg(condition));
    if (GameState.ActiveGame != 1 && GameState.ActiveGame != 2)
        throw EDatabaseError(QStringLiteral("ゲームの種類 %1 の記録表はありません。").arg(GameState.ActiveGame));
    GameState.RecordFilter = FilterText(condition).toStdString();
    const QString table = TableName(GameState.ActiveGame == 1 ? 'A' : 'B', GameState.ActiveSize);
    RequireAvailable();

    // The band's rows in NB order (ties by rowid, as the selections list them) get 100 × condition
    // + 1, + 2, … in one statement; rows already carrying their number are not written.
    BeginTransaction();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const QString sql = QStringLiteral(
                            "UPDATE %1 SET NB = ? + r.rn FROM (SELECT rowid AS id, row_number() OVER "
                            "(ORDER BY NB, rowid) AS rn FROM %1 %2) AS r "
                            "WHERE %1.rowid = r.id AND %1.NB IS NOT ? + r.rn")
                            .arg(table, FilterText(condition));
    if (!q.prepare(sql)) {
        const QString why = Detail(q.lastError());
        Rollback();
        throw EDatabaseError(QStringLiteral("記録番号を振り直せませんでした。\n") + why);
    }
    q.addBindValue(100 * condition);
    q.addBindValue(100 * condition);
    if (!q.exec()) {
        const QString why = Detail(q.lastError());
        q.finish();
        Rollback();
        throw EDatabaseError(QStringLiteral("記録番号を振り直せませんでした。\n") + why);
    }
    q.finish();
    Commit();
    // The condition selection would list the old numbers: closed; every user reopens it.
    Query3->Close();
    OpenRecords();
}

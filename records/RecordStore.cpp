#include "records/RecordStore.h"

#include <QSqlError>
#include <limits>

namespace qx {

namespace {

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

// No game takes more hints than a record may count swaps.
constexpr int MaxHints = 99'999'999;

bool Known(const Par& par) { return IsPlausible(par) && (par.lowerBound > 0 || par.found > 0); }

// A stored integer within 0 … max; nothing for NULL, text, a fraction or a figure out of range.
std::optional<int> StoredFigure(const QVariant& value, int max)
{
    if (value.isNull() || (value.typeId() != QMetaType::LongLong && value.typeId() != QMetaType::Int))
        return std::nullopt;
    const qlonglong n = value.toLongLong();
    if (n < 0 || n > max) return std::nullopt;
    return int(n);
}

// The facts of a side row: one damaged value leaves the whole row out, and the cell empty.
void ReadFacts(const QVariant& lowerBound, const QVariant& found, const QVariant& hints, RecordRow& row)
{
    const std::optional<int> taken = StoredFigure(hints, MaxHints);
    if (!taken) return;
    if (lowerBound.isNull() && found.isNull()) {
        row.hints = *taken;
        return;
    }
    const std::optional<int> bound = StoredFigure(lowerBound, MaxPar), way = StoredFigure(found, MaxPar);
    if (!bound || !way || !Known({.lowerBound = *bound, .found = *way})) return;
    row.par = Par{.lowerBound = *bound, .found = *way};
    row.hints = *taken;
}

}  // namespace

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

// The table of a game and size, or empty when a read-only file lacks it.
QString RecordStore::ExistingTable(GameType game, BoardSize size) const
{
    database_.RequireReadable();
    const QString table = TableName(game, size);
    return database_.HasRecordTable(table) ? table : QString();
}

std::vector<RecordKey> RecordStore::List(GameType game, BoardSize size)
{
    std::vector<RecordKey> keys;
    const QString table = ExistingTable(game, size);
    if (table.isEmpty()) return keys;
    // Only the key and number of each row: a table of ten thousand records opens at once, and
    // the other fields are read as the grid shows them.
    QSqlQuery q = database_.Run(QStringLiteral("SELECT rowid, NB FROM %1 ORDER BY NB, rowid").arg(table), {},
                                QStringLiteral("記録表 %1 を読めませんでした。").arg(table));
    while (q.next()) keys.push_back(RecordKey{q.value(0).toLongLong(), q.value(1)});
    if (q.lastError().isValid())
        throw RecordDatabase::Failure(QStringLiteral("記録表 %1 を読めませんでした。").arg(table), q.lastError());
    return keys;
}

RecordRow RecordStore::Read(GameType game, BoardSize size, qint64 rowid)
{
    const QString table = ExistingTable(game, size);
    const QString what = QStringLiteral("記録を読めませんでした。");
    if (table.isEmpty()) throw EDatabaseError(what);
    const bool two = game == GameType::PuzzleII;
    // A side row counts only while it carries the CNT and PRBA of the row it was written for: the
    // previous version deletes records without it, and a later record may take the rowid.
    const QString from = database_.HasParTable()
                             ? QStringLiteral(
                                   ", p.PARLB, p.PARFOUND, p.HINTS FROM %1 AS r LEFT JOIN %2 AS p ON p.TBL = '%1' AND "
                                   "p.ID = r.rowid AND p.CNT IS r.CNT AND p.PRBA IS r.PRBA")
                                   .arg(table, RecordDatabase::ParTable())
                             : QStringLiteral(" FROM %1 AS r").arg(table);
    QSqlQuery& q = database_.Prepared(
        QStringLiteral("SELECT r.NB, r.DATE, r.NAME, r.JKN, r.JKNCD, r.CNT, r.TIME, r.PRBA%1%2 WHERE r.rowid = ?")
            .arg(two ? QStringLiteral(", r.PRBB") : QString(), from),
        what);
    q.bindValue(0, rowid);
    if (!q.exec()) throw RecordDatabase::Failure(what, q.lastError());
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
                  two ? q.value(8).toString() : QString(),
                  std::nullopt,
                  0};
    const int facts = two ? 9 : 8;
    if (database_.HasParTable()) ReadFacts(q.value(facts), q.value(facts + 1), q.value(facts + 2), row);
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
    QSqlQuery q = database_.Run(QStringLiteral("SELECT max(NB) FROM %1 WHERE %2").arg(table, BandFilter),
                                BandBounds(condition), what);
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
    database_.RequireWritable(what);
    const QString table = TableName(game, size);
    AddResult result;
    database_.InWriteTransaction(what, [&] {
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
        QSqlQuery q =
            database_.Run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, marks), values, what);
        const qint64 rowid = q.lastInsertId().toLongLong();
        q.finish();
        // The record is stored even when what is kept beside it cannot be.
        if (database_.HasParTable())
            database_.InSavepoint(QStringLiteral("facts"), [&] { KeepFacts(table, rowid, record); });
        result.added = RecordKey{rowid, *number};
    });
    return result;
}

void RecordStore::KeepFacts(const QString& table, qint64 rowid, const NewRecord& record)
{
    const QString what = QStringLiteral("記録の最短手数を保存できませんでした。");
    bool counted = false;
    const bool completed = record.count.toLongLong(&counted) > 0 && counted;
    const bool par = record.par && Known(*record.par);
    if (!completed || record.hints < 0 || record.hints > MaxHints || (!par && record.hints == 0)) {
        // Nor may a side row that another record left at this rowid be read as this one's.
        database_.Run(QStringLiteral("DELETE FROM %1 WHERE TBL = ? AND ID = ?").arg(RecordDatabase::ParTable()),
                      {table, rowid}, what);
        return;
    }
    database_.Run(QStringLiteral("INSERT OR REPLACE INTO %1 (TBL, ID, PARLB, PARFOUND, HINTS, CNT, PRBA) "
                                 "SELECT ?, rowid, ?, ?, ?, CNT, PRBA FROM %2 WHERE rowid = ?")
                      .arg(RecordDatabase::ParTable(), table),
                  {table, par ? QVariant(record.par->lowerBound) : QVariant(),
                   par ? QVariant(record.par->found) : QVariant(), record.hints, rowid},
                  what);
}

void RecordStore::DeleteAndRenumber(GameType game, BoardSize size, qint64 rowid, SwapCondition condition)
{
    const QString what = QStringLiteral("記録を削除できませんでした。");
    database_.RequireWritable(what);
    const QString table = TableName(game, size);
    if (!SwapConditionOf(int(condition)))
        throw EDatabaseError(what + QStringLiteral("入れ替え条件 %1 の記録番号は振り直せません。").arg(int(condition)));
    database_.InWriteTransaction(what, [&] {
        database_.Run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table), {rowid}, what);
        // Renumbering keeps every rowid, so the other rows' side rows stay theirs.
        if (database_.HasParTable())
            database_.InSavepoint(QStringLiteral("facts"), [&] {
                database_.Run(QStringLiteral("DELETE FROM %1 WHERE TBL = ? AND ID = ?").arg(RecordDatabase::ParTable()),
                              {table, rowid}, what);
            });
        if (afterDelete) afterDelete();
        // The band's rows in list order get 100 × condition + 1, + 2, … in one statement;
        // rows that already carry their number are not written.
        const int base = 100 * int(condition);
        database_.Run(QStringLiteral("UPDATE %1 SET NB = ? + r.rn FROM (SELECT rowid AS id, row_number() OVER "
                                     "(ORDER BY NB, rowid) AS rn FROM %1 WHERE %2) AS r "
                                     "WHERE %1.rowid = r.id AND %1.NB IS NOT ? + r.rn")
                          .arg(table, BandFilter),
                      QVariantList{base} + BandBounds(condition) + QVariantList{base}, what);
    });
}

}  // namespace qx

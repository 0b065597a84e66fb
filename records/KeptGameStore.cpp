#include "records/KeptGameStore.h"

#include <QSqlError>
#include <algorithm>

namespace qx {

namespace {

// A stored integer, or -1 (refused by every check) for text or a fraction in its place.
long long StoredInteger(const QVariant& value)
{
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || value.isNull()) return -1;
    if (value.typeId() == QMetaType::Double && double(n) != value.toDouble()) return -1;
    return n;
}

}  // namespace

void KeptGameStore::InWriteTransaction(const QString& what, int busyTimeoutMs, const std::function<void()>& body)
{
    database_.RequireWritable(what);
    TransactionGuard transaction(database_, what, busyTimeoutMs);
    body();
    transaction.Commit();
}

std::optional<SavedGame> KeptGameStore::Read(GameType game)
{
    database_.RequireReadable();
    const QString what = QStringLiteral("前回の続きを読めませんでした。");
    if (!database_.HasKeptGameTable()) return std::nullopt;
    const bool par = database_.KeptGameHasPar();
    QSqlQuery q = database_.Run(
        QStringLiteral("SELECT GAME, SIZE, JKNCD, PRBA, PRBB, BANA, BANB, CNT, SECS%1 FROM %2 "
                       "WHERE GAME = ?")
            .arg(par ? QStringLiteral(", HINTS, PARLB, PARFOUND") : QString(), RecordDatabase::KeptGameTable()),
        {int(game)}, what);
    if (!q.next()) {
        if (q.lastError().isValid()) throw RecordDatabase::Failure(what, q.lastError());
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
    if (par) {
        // A row the previous version wrote has NULL here: no hints, no par.
        const auto fact = [&q](int column) { return q.value(column).isNull() ? 0 : StoredInteger(q.value(column)); };
        saved.hints = fact(9);
        saved.parLowerBound = fact(10);
        saved.parFound = fact(11);
    }
    return saved;
}

void KeptGameStore::Save(const SavedGame& saved, int busyTimeoutMs)
{
    const QString what = QStringLiteral("続きを保存できませんでした。");
    InWriteTransaction(what, busyTimeoutMs, [&] {
        QString columns = QStringLiteral("GAME, SIZE, JKNCD, PRBA, PRBB, BANA, BANB, CNT, SECS");
        QVariantList values{saved.game,
                            saved.size,
                            saved.condition,
                            QString::fromStdString(saved.codeA),
                            QString::fromStdString(saved.codeB),
                            QString::fromStdString(saved.boardA),
                            QString::fromStdString(saved.boardB),
                            saved.swapCount,
                            saved.elapsedSeconds};
        if (database_.KeptGameHasPar()) {
            columns += QStringLiteral(", HINTS, PARLB, PARFOUND");
            values << saved.hints << saved.parLowerBound << saved.parFound;
        }
        const QString marks = QStringList(values.size(), QStringLiteral("?")).join(QLatin1String(", "));
        database_.Run(QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3)")
                          .arg(RecordDatabase::KeptGameTable(), columns, marks),
                      values, what);
        if (afterWritten) afterWritten();
    });
}

void KeptGameStore::Delete(GameType game, int busyTimeoutMs)
{
    const QString what = QStringLiteral("前回の続きを消せませんでした。");
    InWriteTransaction(what, busyTimeoutMs, [&] {
        database_.Run(QStringLiteral("DELETE FROM %1 WHERE GAME = ?").arg(RecordDatabase::KeptGameTable()), {int(game)},
                      what);
    });
}

}  // namespace qx

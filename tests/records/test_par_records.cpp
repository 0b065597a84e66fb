// Par and hints kept beside the records and the game in progress, on a real SQLite file: what the
// "最短" cell shows, the upgrade of a file of the previous version, and damaged or missing facts.
#include "records/DataModule.h"
#include "records/RecordTableModel.h"
#include "records/RecordWindow.h"
#include "support/DataDirTest.h"
#include "support/Doubles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using qx::BoardSize;
using qx::GameType;
using qx::Par;

namespace {

using qx::test::Seeder;
const QString File = QStringLiteral("data/kiroku.sqlite");
const QString Code = QStringLiteral("020301040506070809");

QSqlDatabase Raw()
{
    if (!QSqlDatabase::contains(Seeder)) QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Seeder);
    QSqlDatabase db = QSqlDatabase::database(Seeder, false);
    db.setDatabaseName(QDir::current().absoluteFilePath(File));
    if (!db.isOpen()) db.open();
    return db;
}

// Each statement of `sql` (separated by ';'); false at the first that fails.
bool Exec(const QString& sql)
{
    QSqlQuery q(Raw());
    for (const QString& statement : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!q.exec(statement)) return false;
    return true;
}

QStringList Column(const QString& sql)
{
    QStringList out;
    QSqlQuery q(Raw());
    q.exec(sql);
    while (q.next()) out << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString();
    return out;
}

// The file as the previous version made it: the six record tables with their indexes, and chudan.
void MakePreviousVersionFile()
{
    QDir().mkpath(QStringLiteral("data"));
    for (const char* t : {"A9", "A16", "A25", "B9", "B16", "B25"}) {
        const QString table = QStringLiteral("kiroku") + QLatin1String(t);
        QVERIFY(Exec(QStringLiteral("CREATE TABLE %1 (NB INTEGER, DATE TEXT, NAME TEXT, JKN TEXT, JKNCD INTEGER, "
                                    "CNT TEXT, TIME TEXT, PRBA TEXT%2); CREATE INDEX %1_NB ON %1 (NB)")
                         .arg(table, t[0] == 'B' ? QStringLiteral(", PRBB TEXT") : QString())));
    }
    QVERIFY(
        Exec(QStringLiteral("CREATE TABLE chudan (GAME INTEGER PRIMARY KEY, SIZE INTEGER, JKNCD INTEGER, "
                            "PRBA TEXT, PRBB TEXT, BANA TEXT, BANB TEXT, CNT INTEGER, SECS INTEGER)")));
    QVERIFY(Exec(QStringLiteral("INSERT INTO kirokuA9 VALUES (101, '05.3.7', ' old', '自由入替', 1, '25', '1分0秒', "
                                "'%1'); INSERT INTO chudan VALUES (1, 1, 1, '%1', '', '%1', '', 3, 65)")
                     .arg(Code)));
}

}  // namespace

class TestParRecords : public qx::test::DataDirTest {
    Q_OBJECT

private:
    // A record window on Puzzle I of 9 cells, 自由入替, for a game of `count` swaps.
    std::unique_ptr<TForm4> Window(int count = 25, std::optional<Par> par = std::nullopt, int hints = 0)
    {
        RecordContext context;
        context.game = GameType::PuzzleI;
        context.finished = count > 0;
        context.swapCount = count;
        context.codeA = Code.toStdString();
        context.par = par;
        context.hints = hints;
        auto form = std::make_unique<TForm4>(context);
        form->NameEdit()->setText(QStringLiteral("A"));
        return form;
    }
    // The 最短 cell of a row in a window opened afresh, and what a screen reader says of it.
    QStringList Cell(int row)
    {
        const std::unique_ptr<TForm4> form = Window();
        const QModelIndex cell = form->RecordGrid()->model()->index(row, ParColumn);
        return {cell.data().toString(), cell.data(Qt::AccessibleTextRole).toString()};
    }
    void Reopen()
    {
        module_.reset();
        QSqlDatabase::removeDatabase(Seeder);
        module_ = std::make_unique<TDataModule1>();
        QCOMPARE(module_->Database().Access(), qx::RecordAccess::ReadWrite);
    }

private slots:
    void init() { QVERIFY(EnterDataDir()); }
    void cleanup() { LeaveDataDir(); }

    void parCell_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<Par>("par");
        QTest::addColumn<int>("hints");
        QTest::addColumn<QStringList>("cell");
        QTest::newRow("proven") << 25 << Par{22, 22} << 0 << QStringList{"22", "最短 22 回"};
        QTest::newRow("unproven") << 60 << Par{44, 54} << 0 << QStringList{"44〜54", "最短 44〜54 回"};
        QTest::newRow("optimal") << 22 << Par{22, 22} << 0 << QStringList{"★22", "最短 22 回、最短で完成"};
        QTest::newRow("optimal after a hint")
            << 22 << Par{22, 22} << 1 << QStringList{"22※", "最短 22 回、ヒント 1 回"};
        QTest::newRow("unfinished") << 0 << Par{22, 22} << 2 << QStringList{"", ""};
    }
    void parCell()
    {
        QFETCH(int, count);
        QFETCH(Par, par);
        QFETCH(int, hints);
        QFETCH(QStringList, cell);
        auto form = Window(count, par, hints);
        form->OnRecord();
        QCOMPARE(form->RecordGrid()->model()->index(0, ParColumn).data().toString(), cell[0]);
        QCOMPARE(Cell(0), cell);
        QCOMPARE(Column(QStringLiteral("SELECT ID, HINTS FROM kirokupar")),
                 count > 0 ? QStringList{QStringLiteral("1|%1").arg(hints)} : QStringList{});
    }

    // The added column keeps the grid's designed width: no sideways scrolling beside a scroll bar.
    void parColumnFitsTheGrid()
    {
        const std::unique_ptr<TForm4> form = Window();
        QTableView* grid = form->RecordGrid();
        int columns = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c) columns += grid->columnWidth(c);
        QCOMPARE(grid->width(), 382);
        QVERIFY(columns <= grid->width() - 2 * grid->frameWidth() - grid->verticalScrollBar()->sizeHint().width());
    }

    // Upgraded in place: the designed tables as they were, every row kept, the facts beside them.
    void previousVersionFileUpgrades()
    {
        module_.reset();
        QVERIFY(QFile::remove(File));
        MakePreviousVersionFile();
        const QString designed = QStringLiteral(
            "SELECT name, sql FROM sqlite_master WHERE name LIKE 'kiroku_%' "
            "AND name <> 'kirokupar' ORDER BY name");
        const QStringList before = Column(designed);
        Reopen();
        QCOMPARE(Column(designed), before);
        QCOMPARE(Cell(0), (QStringList{"", ""}));
        Window(30, Par{20, 20}, 0)->OnRecord();
        QCOMPARE(Cell(1)[0], QStringLiteral("20"));
        QCOMPARE(Column(QStringLiteral("SELECT NB, NAME FROM kirokuA9 ORDER BY NB")),
                 (QStringList{"101| old", "102| A"}));
        const std::optional<qx::SavedGame> old = module_->KeptGames().Read(GameType::PuzzleI);
        QVERIFY(old && old->swapCount == 3 && old->hints == 0 && old->parLowerBound == 0 && old->parFound == 0);
        const qx::ParsedSave parsed = qx::ParseSavedGame(*old);
        QVERIFY(parsed.position && !parsed.position->par && parsed.position->hints == 0);
    }

    // A side row that is damaged or belongs to an earlier record leaves the cell empty, and the
    // row is listed and deleted as ever.
    void hostileSideRows_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("text") << "UPDATE kirokupar SET PARLB = 'abc'";
        QTest::newRow("fraction") << "UPDATE kirokupar SET PARFOUND = 22.5";
        QTest::newRow("negative hints") << "UPDATE kirokupar SET HINTS = -1";
        QTest::newRow("huge par") << "UPDATE kirokupar SET PARLB = 1000, PARFOUND = 1000";
        QTest::newRow("huge hints") << "UPDATE kirokupar SET HINTS = 100000000";
        QTest::newRow("way below bound") << "UPDATE kirokupar SET PARFOUND = 10";
        QTest::newRow("only a bound") << "UPDATE kirokupar SET PARFOUND = NULL";
        // The previous version deletes the record, and the next one it stores takes its rowid.
        QTest::newRow("stale count") << "DELETE FROM kirokuA9; INSERT INTO kirokuA9 (rowid, NB, NAME, JKNCD, CNT, "
                                        "PRBA) VALUES (1, 101, ' A', 1, '30', '020301040506070809')";
        QTest::newRow("stale problem") << "UPDATE kirokuA9 SET PRBA = '090807060504030201'";
        QTest::newRow("side table of another shape") << "DROP TABLE kirokupar; CREATE TABLE kirokupar (X)";
    }
    void hostileSideRows()
    {
        QFETCH(QString, damage);
        Window(25, Par{22, 22}, 0)->OnRecord();
        QVERIFY(Exec(damage));
        Reopen();
        QCOMPARE(Cell(0), (QStringList{"", ""}));
        auto form = Window();
        QCOMPARE(form->RecordGrid()->model()->index(0, 2).data().toString(), QStringLiteral(" A"));
        form->OnRecord();
        form->RecordGrid()->setCurrentIndex(form->RecordGrid()->model()->index(0, 0));
        form->OnDelete();
        QCOMPARE(Column(QStringLiteral("SELECT NB, CNT FROM kirokuA9")), QStringList{"101|25"});
        QCOMPARE(messages_->texts(), QStringList{"101　番を削除してもいいですか？"});
    }

    // Renumbering keeps every rowid: the facts stay with their records.
    void deleteKeepsFactsWithTheirRows()
    {
        for (int par : {22, 23, 24}) Window(30, Par{par, par}, 0)->OnRecord();
        const QString rows = QStringLiteral("SELECT rowid, NB FROM kirokuA9 ORDER BY rowid");
        QCOMPARE(Column(rows), (QStringList{"1|101", "2|102", "3|103"}));
        auto form = Window();
        form->RecordGrid()->setCurrentIndex(form->RecordGrid()->model()->index(0, 0));
        form->OnDelete();
        QCOMPARE(Column(rows), (QStringList{"2|101", "3|102"}));
        QCOMPARE(Column(QStringLiteral("SELECT ID, PARLB FROM kirokupar ORDER BY ID")), (QStringList{"2|23", "3|24"}));
        QCOMPARE(Cell(0)[0], QStringLiteral("23"));
        QCOMPARE(Cell(1)[0], QStringLiteral("24"));
    }

    void failedSideWriteKeepsTheRecord()
    {
        QVERIFY(
            QSqlQuery(Raw()).exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON kirokupar BEGIN "
                                                 "SELECT RAISE(ABORT, 'refused'); END")));
        Window(25, Par{22, 22}, 1)->OnRecord();
        QVERIFY(messages_->boxes.isEmpty());
        QCOMPARE(sounds_->ids, QList<int>{7});
        QCOMPARE(Column(QStringLiteral("SELECT NB, CNT FROM kirokuA9")), QStringList{"101|25"});
        QCOMPARE(Cell(0), (QStringList{"", ""}));
    }

    void keptGameKeepsHintsAndPar()
    {
        qx::SavedGame saved;
        saved.game = saved.size = saved.condition = 1;
        saved.codeA = Code.toStdString();
        saved.boardA = "030201040506070809";
        saved.swapCount = 4;
        saved.hints = 3;
        saved.parLowerBound = 20;
        saved.parFound = 24;
        module_->KeptGames().Save(saved, 5);
        QCOMPARE(module_->KeptGames().Read(GameType::PuzzleI), std::optional(saved));

        // A file whose upgrade waited behind another copy's write: kept games as before, no facts.
        module_.reset();
        QVERIFY(QFile::remove(File));
        MakePreviousVersionFile();
        QVERIFY(Exec(QStringLiteral("BEGIN IMMEDIATE")));
        qx::RecordDatabase database(File, 50);
        QCOMPARE(database.Open(), qx::RecordAccess::ReadWrite);
        QVERIFY(Exec(QStringLiteral("COMMIT")));
        QVERIFY(!database.HasParTable() && !database.KeptGameHasPar());
        qx::KeptGameStore kept(database);
        kept.Save(saved, 5);
        saved.hints = saved.parLowerBound = saved.parFound = 0;
        QCOMPARE(kept.Read(GameType::PuzzleI), std::optional(saved));
        qx::RecordStore store(database);
        qx::NewRecord record;
        record.count = QStringLiteral("25");
        record.par = Par{22, 22};
        record.hints = 1;
        const qx::AddResult added = store.Add(GameType::PuzzleI, BoardSize::Cells9, record);
        QVERIFY(added.added);
        QVERIFY(!store.Read(GameType::PuzzleI, BoardSize::Cells9, added.added->rowid).par);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestParRecords tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_par_records.moc"

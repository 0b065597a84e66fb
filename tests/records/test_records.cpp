// Record tables and the record table window on a real SQLite file in a fresh working directory.
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/ColoredButton.h"
#include "shell/MessageBoxes.h"
#include "support/DataDirTest.h"
#include "support/Doubles.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <limits>
#include <memory>

using qx::BoardSize;
using qx::GameType;
using qx::SwapCondition;
using qx::test::Box;

namespace {

using qx::test::Seeder;
const std::string CodeA9 = "020301040506070809";  // a permutation of 1 … 9
const std::string CodeB9 = "090807060504030201";

QSqlDatabase Raw()
{
    if (!QSqlDatabase::contains(Seeder)) QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Seeder);
    QSqlDatabase db = QSqlDatabase::database(Seeder, false);
    db.setDatabaseName(QDir::current().absoluteFilePath(QStringLiteral("data/kiroku.sqlite")));
    if (!db.isOpen()) db.open();
    return db;
}

void Seed(const QString& table, int nb, const QString& prba = QString::fromStdString(CodeA9),
          const QString& prbb = QString::fromStdString(CodeB9))
{
    QSqlQuery q(Raw());
    const bool b = table.startsWith(QLatin1String("kirokuB"));
    q.prepare(QStringLiteral("INSERT INTO %1 (NB, NAME, JKNCD, PRBA%2) VALUES (?, ' x', ?, ?%3)")
                  .arg(table, b ? QStringLiteral(", PRBB") : QString(), b ? QStringLiteral(", ?") : QString()));
    q.addBindValue(nb);
    q.addBindValue(nb / 100 >= 1 && nb / 100 <= 6 ? nb / 100 : 1);
    q.addBindValue(prba);
    if (b) q.addBindValue(prbb);
    QVERIFY(q.exec());
}

QList<int> Numbers(const QString& table)
{
    QList<int> out;
    QSqlQuery q(Raw());
    q.exec(QStringLiteral("SELECT NB FROM %1 ORDER BY NB").arg(table));
    while (q.next()) out << q.value(0).toInt();
    return out;
}

QStringList RowsOf(const QString& table)
{
    QStringList out;
    QSqlQuery q(Raw());
    q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i) fields << q.value(i).toString();
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

QByteArray FileBytes()
{
    QFile file(QStringLiteral("data/kiroku.sqlite"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What each child process of these tests sets up: fakes and a data module of its own on `dir`,
// and the context of Puzzle I of 9 cells under `condition`.
struct ChildSetup {
    ChildSetup(const QString& dir, int condition) : inDir(QDir::setCurrent(dir))
    {
        context.game = GameType::PuzzleI;
        context.condition = SwapCondition(condition);
    }
    bool inDir;
    RecordContext context;
    qx::test::FakeMessages messages;
    qx::test::FakeSounds sounds;
    TDataModule1 module;
};

// The recording child of the kill test: records rows forever, printing the count of posted rows.
int RecordingChild(const QString& dir)
{
    ChildSetup child(dir, 6);
    TForm4 form(child.context);
    form.NameEdit()->setText(QStringLiteral("child"));
    for (int posted = 1; posted < 1000000; ++posted) {
        form.OnRecord();
        if (!child.messages.boxes.isEmpty()) return 2;
        printf("%d\n", posted);
        fflush(stdout);
    }
    return 0;
}

// The child of the delete kill test: deletes 602 of 601 … 605 and stops between the delete and
// the renumbering, saying so, until it is killed.
int DeletingChild(const QString& dir)
{
    ChildSetup child(dir, 6);
    child.module.Store().afterDelete = [] {
        printf("deleted\n");
        fflush(stdout);
        for (;;) QThread::sleep(1);
    };
    TForm4 form(child.context);
    form.RecordGrid()->setCurrentIndex(form.RecordGrid()->model()->index(1, 0));
    form.OnDelete();
    return 2;
}

// The child of the read-only test, run as a user who may not write data/: the records are
// listed, and recording and deleting are refused with the reason.
int ReadOnlyChild(const QString& dir)
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 4;
    ChildSetup child(dir, 1);
    TForm4 form(child.context);
    form.show();
    form.NameEdit()->setText(QStringLiteral("A"));
    form.OnRecord();
    form.OnDelete();
    const QStringList seen{QString::number(static_cast<int>(child.module.Database().Access())),
                           QString::number(form.RecordGrid()->model()->rowCount()),
                           form.RecordGrid()->model()->index(1, 2).data().toString(), form.StatusText()};
    printf("%s\n", qPrintable((seen + child.messages.texts()).join(QLatin1Char('|'))));
    return 0;
}

}  // namespace

class TestRecords : public qx::test::DataDirTest {
    Q_OBJECT

private:
    // A shown record window for game (0: none), size and condition, with the grid on that table;
    // `played` has the game's counters and codes.
    std::unique_ptr<TForm4> OpenWindow(int game, int size, int condition, RecordContext played = RecordContext())
    {
        played.game = qx::GameTypeOf(game);
        played.size = BoardSize(size);
        played.condition = SwapCondition(condition);
        auto form = std::make_unique<TForm4>(played);
        form->today = [] { return QDate(2005, 3, 7); };
        form->show();
        return form;
    }
    void SelectRow(TForm4& form, int nb)
    {
        auto* model = form.RecordGrid()->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            if (model->index(r, 0).data().toInt() != nb) continue;
            form.RecordGrid()->scrollTo(model->index(r, 0));
            QTest::mouseClick(form.RecordGrid()->viewport(), Qt::LeftButton, {},
                              form.RecordGrid()->visualRect(model->index(r, 1)).center());
            QCOMPARE(form.RecordGrid()->currentIndex().siblingAtColumn(0).data().toInt(), nb);
            return;
        }
        QFAIL("row not in the grid");
    }
    void Click(TForm4& form, const char* button)
    {
        auto* b = form.findChild<TCuteButton*>(QLatin1String(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    }

private slots:
    void init()
    {
        QVERIFY(EnterDataDir());
        QCOMPARE(module_->Database().Access(), qx::RecordAccess::ReadWrite);
        QCOMPARE(DataModule1(), module_.get());
    }
    void cleanup() { LeaveDataDir(); }

    void nextNumber_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty, condition 3") << 3 << QList<int>{} << 301;
        QTest::newRow("empty, condition 6") << 6 << QList<int>{} << 601;
        QTest::newRow("after the largest") << 1 << QList<int>{101, 102, 105} << 106;
        QTest::newRow("hundreds in no band") << 1 << QList<int>{200, 300, 400, 500, 600} << 101;
        QTest::newRow("hundreds, condition 5") << 5 << QList<int>{200, 300, 400, 500, 600} << 501;
        QTest::newRow("condition 6 past 699") << 6 << QList<int>{601, 699, 700, 750} << 751;
        QTest::newRow("other bands ignored") << 2 << QList<int>{101, 199, 301} << 201;
    }
    void nextNumber()
    {
        QFETCH(int, condition);
        QFETCH(QList<int>, existing);
        QFETCH(int, expected);
        for (int nb : existing) Seed(QStringLiteral("kirokuA9"), nb);
        QCOMPARE(module_->Store().NextNumber(GameType::PuzzleI, BoardSize::Cells9, SwapCondition(condition)),
                 std::optional<int>(expected));
        // every row shows in the grid, banded or not
        QCOMPARE(static_cast<qsizetype>(module_->Store().List(GameType::PuzzleI, BoardSize::Cells9).size()),
                 existing.size());
    }

    void deleteRenumbers_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("middle of band") << 1 << QList<int>{101, 102, 103} << 102 << QList<int>{101, 102};
        QTest::newRow("other band keeps its gap")
            << 1 << QList<int>{101, 102, 103, 201, 202, 203} << 202 << QList<int>{101, 102, 103, 201, 203};
        QTest::newRow("active band closes its gap")
            << 1 << QList<int>{101, 103, 201, 202} << 201 << QList<int>{101, 102, 202};
        QTest::newRow("last row of band") << 3 << QList<int>{301} << 301 << QList<int>{};
        QTest::newRow("condition 6 past 699")
            << 6 << QList<int>{698, 699, 700, 701} << 699 << QList<int>{601, 602, 603};
        QTest::newRow("hundreds untouched") << 1 << QList<int>{102, 200, 300} << 300 << QList<int>{101, 200};
    }
    void deleteRenumbers()
    {
        QFETCH(int, condition);
        QFETCH(QList<int>, existing);
        QFETCH(int, deleted);
        QFETCH(QList<int>, after);
        for (int nb : existing) Seed(QStringLiteral("kirokuA16"), nb);
        auto form = OpenWindow(1, 2, condition);
        SelectRow(*form, deleted);
        Click(*form, "CuteButton3");
        QCOMPARE(messages_->texts(),
                 QStringList{QString::number(deleted) + QStringLiteral("　番を削除してもいいですか？")});
        QCOMPARE(Numbers(QStringLiteral("kirokuA16")), after);
        QCOMPARE(form->RecordGrid()->model()->rowCount(), after.size());
        QCOMPARE(form->StatusText(), QStringLiteral("削除しました。"));
        QCOMPARE(sounds_->ids, QList<int>{1});
        if (after.isEmpty())
            QCOMPARE(module_->Store().NextNumber(GameType::PuzzleI, BoardSize::Cells16, SwapCondition(condition)),
                     std::optional<int>(100 * condition + 1));
    }

    void record_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("finished");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("time");
        QTest::newRow("Puzzle I finished") << 1 << 1 << "23"
                                           << "2分5秒";
        QTest::newRow("Puzzle II finished") << 2 << 1 << "23"
                                            << "2分5秒";
        QTest::newRow("unfinished") << 1 << 0 << "0"
                                    << "0分0秒";
    }
    void record()
    {
        QFETCH(int, game);
        QFETCH(int, finished);
        QFETCH(QString, count);
        QFETCH(QString, time);
        RecordContext played;
        played.finished = finished == 1;
        played.swapCount = 23;
        played.elapsedSeconds = 125;
        played.codeA = CodeA9;
        played.codeB = CodeB9;
        auto form = OpenWindow(game, 1, 2, played);
        form->NameEdit()->setText(QStringLiteral("ABC"));
        Click(*form, "CuteButton1");
        Click(*form, "CuteButton1");
        const QString table = game == 1 ? QStringLiteral("kirokuA9") : QStringLiteral("kirokuB9");
        const QString prbb = game == 2 ? QStringLiteral("|") + QString::fromStdString(CodeB9) : QString();
        const QString fields =
            QStringLiteral("|05.3.7| ABC|奇数偶数|2|%1|%2|%3%4").arg(count, time, QString::fromStdString(CodeA9), prbb);
        QCOMPARE(RowsOf(table), (QStringList{QStringLiteral("201") + fields, QStringLiteral("202") + fields}));
        QCOMPARE(sounds_->ids, (QList<int>{7, 7}));
        QVERIFY(messages_->boxes.isEmpty());
        QCOMPARE(form->RecordGrid()->model()->rowCount(), 2);
        QCOMPARE(form->NameEdit()->text(), QStringLiteral("ABC"));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes") << QStringLiteral("O'Brien \"Bob\"");
        QTest::newRow("semicolon") << QStringLiteral("x'); DROP TABLE kirokuA9; --");
        QTest::newRow("1000 characters") << QString(1000, QChar(u'名'));
        QTest::newRow("emoji") << QStringLiteral("😀👍🏽 太郎");
        QTest::newRow("blanks") << QStringLiteral("   ");
    }
    void names()
    {
        QFETCH(QString, name);
        auto form = OpenWindow(1, 1, 1);
        form->NameEdit()->setFocus();
        QTest::sendKeyEvent(QTest::Click, form->NameEdit(), Qt::Key_unknown, name, Qt::NoModifier);
        QCOMPARE(form->NameEdit()->text(), name);
        Click(*form, "CuteButton1");
        QSqlQuery q(Raw());
        QVERIFY(q.exec(QStringLiteral("SELECT NAME FROM kirokuA9")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral(" ") + name);
        QCOMPARE(form->RecordGrid()->model()->index(0, 2).data().toString(), QStringLiteral(" ") + name);
    }

    void showProblem_data()
    {
        QTest::addColumn<int>("game");
        QTest::newRow("Puzzle I") << 1;
        QTest::newRow("Puzzle II") << 2;
    }
    void showProblem()
    {
        QFETCH(int, game);
        const QString table = game == 1 ? QStringLiteral("kirokuA9") : QStringLiteral("kirokuB9");
        Seed(table, 101);
        Seed(table, 401);
        auto form = OpenWindow(game, 1, 1);
        SelectRow(*form, 401);
        Click(*form, "CuteButton2");
        QCOMPARE(messages_->texts(), QStringList{QStringLiteral("401　番を表示してもいいですか？")});
        QVERIFY(form->HandedOver());
        const HandedProblem& handed = *form->HandedOver();
        QCOMPARE(handed.condition, SwapCondition::RowAdvance);
        QCOMPARE(handed.problem.codeA, CodeA9);
        QCOMPARE(handed.problem.startA, (qx::Table{2, 3, 1, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(handed.problem.codeB, game == 2 ? CodeB9 : std::string());
        QCOMPARE(handed.problem.startB, game == 2 ? (qx::Table{9, 8, 7, 6, 5, 4, 3, 2, 1}) : qx::Table{});
        QVERIFY(!form->isVisible());
        QCOMPARE(sounds_->ids, QList<int>{1});
    }

    // Each refusal shows its message, changes no table and hands no problem over.
    void refusals_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<QString>("prba");
        QTest::addColumn<QString>("prbb");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString code = QString::fromStdString(CodeA9);
        QTest::newRow("empty name") << 1 << QList<int>{} << code << code << ""
                                    << "CuteButton1"
                                    << "名前入力欄に名前を入力してから、「記録」ボタンをクリックしてください。";
        QTest::newRow("show, empty grid") << 1 << QList<int>{} << code << code << "A"
                                          << "CuteButton2"
                                          << "表示する記録がありません。";
        QTest::newRow("delete, empty grid") << 1 << QList<int>{} << code << code << "A"
                                            << "CuteButton3"
                                            << "削除する記録がありません。";
        QTest::newRow("empty code") << 1 << QList<int>{101} << "" << code << "A"
                                    << "CuteButton2"
                                    << "101　番の問題は表示できません。";
        QTest::newRow("letters") << 1 << QList<int>{101} << "0203010405060708a9" << code << "A"
                                 << "CuteButton2"
                                 << "101　番の問題は表示できません。";
        QTest::newRow("repeated number") << 1 << QList<int>{101} << "020202040506070809" << code << "A"
                                         << "CuteButton2"
                                         << "101　番の問題は表示できません。";
        QTest::newRow("bad table B") << 2 << QList<int>{101} << code << "0908"
                                     << "A"
                                     << "CuteButton2"
                                     << "101　番の問題は表示できません。";
        QList<int> full;
        for (int nb = 101; nb <= 199; ++nb) full << nb;
        QTest::newRow("full band") << 1 << full << code << code << "A"
                                   << "CuteButton1"
                                   << "「自由入替」の記録はいっぱいです";
        QTest::newRow("cancel show") << 1 << QList<int>{101} << code << code << "A"
                                     << "CuteButton2"
                                     << "101　番を表示してもいいですか？";
        QTest::newRow("cancel delete") << 1 << QList<int>{101, 103} << code << code << "A"
                                       << "CuteButton3"
                                       << "101　番を削除してもいいですか？";
    }
    void refusals()
    {
        QFETCH(int, game);
        QFETCH(QList<int>, existing);
        QFETCH(QString, prba);
        QFETCH(QString, prbb);
        QFETCH(QString, name);
        QFETCH(QString, button);
        QFETCH(QString, message);
        const QString table = game == 1 ? QStringLiteral("kirokuA9") : QStringLiteral("kirokuB9");
        for (int nb : existing) Seed(table, nb, prba, prbb);
        RecordContext played;
        played.finished = true;
        played.swapCount = 5;
        played.elapsedSeconds = 9;
        played.codeA = "999";
        auto form = OpenWindow(game, 1, 1, played);
        form->NameEdit()->setText(name);
        const QStringList rows = RowsOf(table);
        messages_->answers = {false};  // キャンセル wherever asked
        Click(*form, button.toLatin1().constData());
        QCOMPARE(messages_->boxes.size(), 1);
        QVERIFY2(messages_->last().text.startsWith(message), qPrintable(messages_->last().text));
        QCOMPARE(RowsOf(table), rows);
        QVERIFY(!form->HandedOver());
        QVERIFY(form->isVisible());
        QVERIFY(sounds_->ids.isEmpty());
        QCOMPARE(form->StatusText(), QString());
    }

    // A band that already holds the largest number there is has no next number: recording refuses.
    void recordAfterLargestNumber()
    {
        Seed(QStringLiteral("kirokuA9"), std::numeric_limits<int>::max());
        RecordContext played;
        played.finished = true;
        auto form = OpenWindow(1, 1, 6, played);
        form->NameEdit()->setText(QStringLiteral("A"));
        const QStringList rows = RowsOf(QStringLiteral("kirokuA9"));
        Click(*form, "CuteButton1");
        QCOMPARE(messages_->boxes.size(), 1);
        QVERIFY2(messages_->last().text.startsWith(QStringLiteral("「１つ違い」の記録はいっぱいです")),
                 qPrintable(messages_->last().text));
        QCOMPARE(RowsOf(QStringLiteral("kirokuA9")), rows);
    }

    void window_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("heading");
        QTest::newRow("I 9") << 1 << 1 << "タイプⅠ ９マス・ 記録表";
        QTest::newRow("II 25") << 2 << 3 << "タイプⅡ ２５マス・ 記録表";
        QTest::newRow("no game") << 0 << 1 << "記録表";
    }
    void window()
    {
        QFETCH(int, game);
        QFETCH(int, size);
        QFETCH(QString, heading);
        auto form = OpenWindow(game, size, 1);
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label1"))->text(), heading);
        QCOMPARE(form->windowTitle(), QStringLiteral("記録表"));
        QCOMPARE(form->Client()->size(), QSize(692, 536));
        if (game == 0) return;
        QStringList titles;
        QList<int> widths;
        auto* grid = form->findChild<QTableView*>(QStringLiteral("DBGrid1"));
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (grid->isColumnHidden(c)) continue;
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
            widths << grid->columnWidth(c);
        }
        QCOMPARE(titles, (QStringList{"番号", "年月日", "名前", "条件", "回数", "時間", "最短"}));
        QCOMPARE(widths, (QList<int>{30, 50, 80, 80, 40, 44, 40}));
    }

    void showRecordTableReleasesWindow()
    {
        QWidget owner;
        QPointer<TForm4> seen;
        QTimer::singleShot(0, [&] {
            seen = owner.findChild<TForm4*>();
            if (seen) seen->findChild<QAction*>("N1")->trigger();
        });
        RecordContext context;
        context.game = GameType::PuzzleI;
        QVERIFY(!ShowRecordTable(&owner, context));
        QVERIFY(seen.isNull());
        QVERIFY(owner.findChildren<TForm4*>().isEmpty());
    }

    // When a real box or the record window closes, the keyboard focus is back on the control of
    // the opening window that had it, and that window is active again.
    void focusComesBack_data()
    {
        QTest::addColumn<int>("opened");
        QTest::newRow("confirmation") << 0;
        QTest::newRow("plain box") << 1;
        QTest::newRow("record window") << 2;
    }
    void focusComesBack()
    {
        QFETCH(int, opened);
        TFormBase owner(QStringLiteral("owner"), 700, 540);
        new QLineEdit(owner.Client());
        auto* focused = new QLineEdit(owner.Client());
        focused->move(0, 40);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        focused->setFocus();
        qx::QtMessageBoxes boxes;
        qx::InstallMessages(&boxes);
        bool closed = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &owner) closed = modal->close();
        });
        if (opened == 0) boxes.confirm(QStringLiteral("始めてもいいですか？"));
        if (opened == 1) boxes.plain(QStringLiteral("問題がありません。"));
        if (opened == 2) ShowRecordTable(&owner, RecordContext{});
        qx::InstallMessages(messages_.get());
        QVERIFY(closed);
        QTRY_COMPARE(QApplication::activeWindow(), &owner);
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    // A damaged file is reported and never written, and every record operation fails clearly.
    void damagedDatabaseUntouched_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("not a database") << 0;
        QTest::newRow("damaged page") << 1;
    }
    void damagedDatabaseUntouched()
    {
        QFETCH(int, damage);
        for (int nb = 101; nb < 150; ++nb) Seed(QStringLiteral("kirokuA9"), nb, QString(500, u'9'));
        module_.reset();
        QSqlDatabase::removeDatabase(Seeder);
        QFile file(QStringLiteral("data/kiroku.sqlite"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 8192);
        if (damage == 0)
            bytes = QByteArray(8192, 'x');
        else
            bytes.replace(4096 + 8, 3000, QByteArray(3000, '\xa5'));
        file.resize(0);
        file.write(bytes);
        file.close();

        module_ = std::make_unique<TDataModule1>();
        QCOMPARE(module_->Database().Access(), qx::RecordAccess::Unusable);
        QCOMPARE(messages_->boxes.size(), 1);
        QCOMPARE(messages_->last().kind, Box::Error);
        auto form = OpenWindow(1, 1, 1);
        form->NameEdit()->setText(QStringLiteral("A"));
        Click(*form, "CuteButton1");
        Click(*form, "CuteButton3");
        QCOMPARE(messages_->boxes.size(), 3);
        QCOMPARE(messages_->last().kind, Box::Error);
        QVERIFY(sounds_->ids.isEmpty());
        module_.reset();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void readOnlyDatabaseIsListed()
    {
        Seed(QStringLiteral("kirokuA9"), 101);
        Seed(QStringLiteral("kirokuA9"), 102);
        module_.reset();
        QSqlDatabase::removeDatabase(Seeder);
        const QByteArray before = FileBytes();
        QVERIFY(::chmod(qPrintable(dir_->path()), 0755) == 0);
        QVERIFY(::chmod("data", 0555) == 0 && ::chmod("data/kiroku.sqlite", 0444) == 0);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--readonly-child"), dir_->path()});
        QVERIFY(child.waitForFinished(60000));
        ::chmod("data", 0755);
        QCOMPARE(child.exitCode(), 0);
        const QStringList seen = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char('|'));
        QVERIFY2(seen.size() == 6, qPrintable(seen.join(QLatin1Char('|')) + child.readAllStandardError()));
        QCOMPARE(seen[0], QString::number(static_cast<int>(qx::RecordAccess::ReadOnly)));
        QCOMPARE(seen[1], QStringLiteral("2"));
        QCOMPARE(seen[2], QStringLiteral(" x"));
        QVERIFY(seen[3].contains(QStringLiteral("読み取り専用")));
        QVERIFY2(seen[4].contains(QStringLiteral("読み取り専用")) && seen[5] == seen[4], qPrintable(seen[4]));
        QCOMPARE(FileBytes(), before);
    }

    // A lock held while the game starts is reported once; the next opening of the record window
    // finds the records again and may write.
    void lockDuringStartUpIsNotFatal()
    {
        Seed(QStringLiteral("kirokuA9"), 101);
        module_.reset();
        QSqlQuery lock(Raw());
        QVERIFY(lock.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")) && lock.exec(QStringLiteral("DELETE FROM kirokuA16")));
        module_ = std::make_unique<TDataModule1>();
        QCOMPARE(module_->Database().Access(), qx::RecordAccess::Unusable);
        QCOMPARE(messages_->boxes.size(), 1);
        // A sentence for the player first, the engine's own words on a line of their own.
        const QStringList lines = messages_->last().text.split(QLatin1Char('\n'));
        QVERIFY2(lines.last().startsWith(QStringLiteral("（database is locked")), qPrintable(lines.last()));
        QVERIFY(lines.join(QString()).contains(QStringLiteral("別のプログラム")));
        QVERIFY(lock.exec(QStringLiteral("COMMIT")));
        lock.finish();
        QSqlDatabase::database(Seeder, false).close();

        auto form = OpenWindow(1, 1, 1);
        QCOMPARE(form->RecordGrid()->model()->rowCount(), 1);
        QCOMPARE(form->StatusText(), QString());
        form->NameEdit()->setText(QStringLiteral("A"));
        Click(*form, "CuteButton1");
        QCOMPARE(Numbers(QStringLiteral("kirokuA9")), (QList<int>{101, 102}));
        QCOMPARE(messages_->boxes.size(), 1);
    }

    // The next number is read and the row inserted under one write lock: a second copy of the game
    // that records meanwhile waits, and never gets the same number.
    void twoCopiesNeverShareANumber()
    {
        qx::RecordDatabase otherDatabase(QStringLiteral("data/kiroku.sqlite"), 50);
        qx::RecordStore other(otherDatabase);
        QCOMPARE(otherDatabase.Open(), qx::RecordAccess::ReadWrite);
        qx::NewRecord record;
        record.condition = SwapCondition::DifferByOne;
        QString otherFailure;
        module_->Store().afterNumbering = [&] {
            try {
                other.Add(GameType::PuzzleI, BoardSize::Cells9, record);
            } catch (const EDatabaseError& e) {
                otherFailure = e.Message();
            }
        };
        QVERIFY(module_->Store().Add(GameType::PuzzleI, BoardSize::Cells9, record).added);
        module_->Store().afterNumbering = nullptr;
        QVERIFY2(otherFailure.startsWith(QStringLiteral("記録を保存できませんでした。")), qPrintable(otherFailure));
        QVERIFY(other.Add(GameType::PuzzleI, BoardSize::Cells9, record).added);
        QCOMPARE(Numbers(QStringLiteral("kirokuA9")), (QList<int>{601, 602}));
    }

    // A table with other fields makes the whole file refused, and nothing is written into it.
    void wrongColumnsLeaveTheFileAlone()
    {
        module_.reset();
        QSqlQuery q(Raw());
        QVERIFY(q.exec(QStringLiteral("DROP TABLE kirokuB16")));
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE kirokuB16 (NB INTEGER, DAY TEXT)")));
        QVERIFY(q.exec(QStringLiteral("DROP TABLE kirokuA25")));
        q.finish();
        QSqlDatabase::database(Seeder, false).close();
        const QByteArray before = FileBytes();
        module_ = std::make_unique<TDataModule1>();
        QCOMPARE(module_->Database().Access(), qx::RecordAccess::Unusable);
        QVERIFY2(messages_->last().text.contains(QStringLiteral("kirokuB16 の 2 番目の欄が DATE ではありません")),
                 qPrintable(messages_->last().text));
        auto form = OpenWindow(1, 3, 1);
        form->NameEdit()->setText(QStringLiteral("A"));
        Click(*form, "CuteButton1");
        module_.reset();
        QCOMPARE(FileBytes(), before);
        QVERIFY(!QFile::exists(QStringLiteral("data/kiroku.sqlite-wal")) ||
                QFileInfo(QStringLiteral("data/kiroku.sqlite-wal")).size() == 0);
    }

    void killedBetweenDeleteAndRenumber()
    {
        for (int nb = 601; nb <= 605; ++nb) Seed(QStringLiteral("kirokuA9"), nb);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--delete-child"), dir_->path()});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QElapsedTimer clock;
        clock.start();
        while (!said.contains("deleted") && clock.elapsed() < 60000 && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            said += child.readAllStandardOutput();
        }
        QVERIFY2(said.contains("deleted"), qPrintable(child.readAllStandardError()));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(Numbers(QStringLiteral("kirokuA9")), (QList<int>{601, 602, 603, 604, 605}));
    }

    void killedWhileRecording()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--record-child"), dir_->path()});
        QVERIFY(child.waitForStarted());
        int posted = 0;
        QElapsedTimer clock;
        clock.start();
        while (posted < 40 && clock.elapsed() < 60000) {
            child.waitForReadyRead(1000);
            while (child.canReadLine()) posted = child.readLine().trimmed().toInt();
        }
        QVERIFY2(posted >= 40, qPrintable(child.readAllStandardError()));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        QSqlQuery q(Raw());
        QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        const QList<int> numbers = Numbers(QStringLiteral("kirokuA9"));
        QVERIFY(numbers.size() >= posted);
        for (int i = 0; i < numbers.size(); ++i) QCOMPARE(numbers[i], 601 + i);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--record-child") return RecordingChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--delete-child") return DeletingChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--readonly-child") return ReadOnlyChild(QString::fromLocal8Bit(argv[2]));
    TestRecords tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_records.moc"

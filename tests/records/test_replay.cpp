// A stored problem travels from the record table back to the game window that opened it: the
// window lays it out under the row's condition, asks to start, and a later record of the game
// stores the same codes again.
#include "core/Board.h"
#include "core/Problem.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "support/Doubles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using qx::test::Box;

namespace {

const char* const Connection = "replay-check";

QSqlQuery Sql()
{
    if (!QSqlDatabase::contains(Connection)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
        db.setDatabaseName(QDir::current().absoluteFilePath(QStringLiteral("data/kiroku.sqlite")));
        db.open();
    }
    return QSqlQuery(QSqlDatabase::database(Connection));
}

// Runs `act` on the record table window as soon as the game window has opened it modally.
void WhenRecordTableOpens(const std::function<void(TForm4*)>& act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TForm4*>(w); form && form->isVisible()) return act(form);
        QFAIL("the record table window did not open");
    });
}

QStringList Texts(const std::function<QString(int)>& numberAt, int n)
{
    QStringList texts;
    for (int k = 1; k <= n; ++k) texts << numberAt(k);
    return texts;
}

QStringList Decoded(const QString& code)
{
    QStringList texts;
    for (const int number : qx::DecodeProblemCode(code.toStdString(), 9).numbers) texts << QString::number(number);
    return texts;
}

}  // namespace

class TestReplay : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path()));
    }
    void cleanup()
    {
        QSqlDatabase::removeDatabase(Connection);
        QDir::setCurrent(QDir::tempPath());
        dir_.reset();
    }

    void storedProblemIsLaidOutAndRecordedAgain_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QPoint>("startBox");
        QTest::newRow("Puzzle I, row advance") << 1 << 4 << QStringLiteral("（行の前進）") << QPoint(440, 470);
        QTest::newRow("Puzzle II, neighbours") << 2 << 5 << QStringLiteral("（隣り同士）") << QPoint(418, 485);
    }
    void storedProblemIsLaidOutAndRecordedAgain()
    {
        QFETCH(int, game);
        QFETCH(int, condition);
        QFETCH(QString, label);
        QFETCH(QPoint, startBox);
        const QString codeA = QStringLiteral("040908020705030106");
        const QString codeB = QStringLiteral("090807060504030201");
        const QString table = game == 1 ? QStringLiteral("kirokuA9") : QStringLiteral("kirokuB9");

        qx::test::FakeMessages messages;
        qx::test::FakeSounds sounds;
        TDataModule1 module;
        std::unique_ptr<TGameWindow> window;
        std::function<QString(int)> numberA, numberB;
        if (game == 1) {
            auto* f = new TForm2;
            numberA = [f](int k) { return f->Cells().Number(k); };
            window.reset(f);
        } else {
            auto* f = new TForm3;
            numberA = [f](int k) { return f->Cells(TForm3::TableA).Number(k); };
            numberB = [f](int k) { return f->Cells(TForm3::TableB).Number(k); };
            window.reset(f);
        }
        QCOMPARE(int(window->Model().Type()), game);

        QSqlQuery seed = Sql();
        seed.prepare(QStringLiteral("INSERT INTO %1 (NB, DATE, NAME, JKN, JKNCD, CNT, TIME, PRBA%2) "
                                    "VALUES (?, '05.3.7', ' ABC', ?, ?, '23', '2分5秒', ?%3)")
                         .arg(table, game == 2 ? QStringLiteral(", PRBB") : QString(),
                              game == 2 ? QStringLiteral(", ?") : QString()));
        seed.addBindValue(condition * 100 + 1);
        seed.addBindValue(QString::fromStdString(qx::ConditionName(qx::SwapCondition(condition))));
        seed.addBindValue(condition);
        seed.addBindValue(codeA);
        if (game == 2) seed.addBindValue(codeB);
        QVERIFY2(seed.exec(), qPrintable(seed.lastError().text()));

        // "問題表示" on the only row, answered OK, then the start question answered OK.
        WhenRecordTableOpens([](TForm4* f) { f->OnShowProblem(); });
        sounds.ids.clear();
        window->OpenRecords();

        QCOMPARE(int(window->Model().Condition()), condition);
        QCOMPARE(QString::fromStdString(window->Model().Problem().codeA), codeA);  // the window has taken it
        QCOMPARE(window->ConditionLabel()->text(), label);
        QCOMPARE(Texts(numberA, 9), Decoded(codeA));
        if (game == 2) QCOMPARE(Texts(numberB, 9), Decoded(codeB));
        QCOMPARE(messages.boxes.size(), 2);
        QCOMPARE(messages.boxes[0].text, QStringLiteral("%1　番を表示してもいいですか？").arg(condition * 100 + 1));
        QCOMPARE(messages.boxes[1].text, QStringLiteral("始めてもいいですか？"));
        QCOMPARE(messages.boxes[1].pos, std::optional<QPoint>(startBox));
        QCOMPARE(sounds.ids, (QList<int>{1, 7, 1}));
        QCOMPARE(window->ButtonPattern(), QStringLiteral("001101"));

        // Recording the replayed game stores the shown problem's codes under the next number.
        WhenRecordTableOpens([](TForm4* f) {
            f->NameEdit()->setText(QStringLiteral("again"));
            f->OnRecord();
            f->findChild<QAction*>("N1")->trigger();
        });
        window->OpenRecords();
        QSqlQuery rows = Sql();
        QVERIFY(rows.exec(QStringLiteral("SELECT NB, NAME, JKNCD, PRBA%1 FROM %2 ORDER BY NB")
                              .arg(game == 2 ? QStringLiteral(", PRBB") : QString(), table)));
        QVERIFY(rows.next() && rows.next());
        QCOMPARE(rows.value(0).toInt(), condition * 100 + 2);
        QCOMPARE(rows.value(1).toString(), QStringLiteral(" again"));
        QCOMPARE(rows.value(2).toInt(), condition);
        QCOMPARE(rows.value(3).toString(), codeA);
        if (game == 2) QCOMPARE(rows.value(4).toString(), codeB);
        QVERIFY(!rows.next());
        QCOMPARE(window->ButtonPattern(), QStringLiteral("001101"));  // the game goes on
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_MAIN(TestReplay)
#include "test_replay.moc"

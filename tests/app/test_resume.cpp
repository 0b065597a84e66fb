// A game in progress kept in data/kiroku.sqlite (table chudan) on a real file in a fresh working
// directory: when it is saved and forgotten, how the next run offers it, rows that cannot be
// used, files that cannot be written, two copies, and a program ended by a signal. The
// executable also acts as the playing child of the signal and read-only tests.
#include "app/EndSignals.h"
#include "core/GameState.h"
#include "core/SavedGame.h"
#include "games/Puzzle1Support.h"
#include "games/Puzzle1Window.h"
#include "games/Puzzle2Window.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "support/DataDirTest.h"
#include "support/Doubles.h"
#include "support/SaidTexts.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <map>

using namespace qx;
namespace said = qx::test::said;
using qx::test::Box;

namespace {

using qx::test::Seeder;

QSqlQuery Raw()
{
    if (!QSqlDatabase::contains(Seeder)) QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Seeder);
    QSqlDatabase db = QSqlDatabase::database(Seeder, false);
    db.setDatabaseName(QDir::current().absoluteFilePath(QStringLiteral("data/kiroku.sqlite")));
    if (!db.isOpen()) db.open();
    return QSqlQuery(db);
}

// The row kept for a game type, read through a store of its own.
std::optional<SavedGame> Kept(int game)
{
    RecordDatabase database(QStringLiteral("data/kiroku.sqlite"));
    if (database.Open() == RecordAccess::Unusable) return std::nullopt;
    return KeptGameStore(database).Read(qx::GameType(game));
}

std::string BoardCode(const Game& g, int table = 0)
{
    Table numbers;
    for (const BoardCell& cell : g.Board(table)) numbers.push_back(cell.number);
    return EncodeProblemCode(numbers);
}

// "記録表" during the game, "問題表示" on its only row, and the start question, all answered OK.
void ShowStoredProblem(TGameWindow* w)
{
    QSqlQuery seed = Raw();
    QVERIFY(
        seed.exec(QStringLiteral("INSERT INTO kirokuA9 (NB, DATE, NAME, JKN, JKNCD, CNT, TIME, PRBA) "
                                 "VALUES (101, '05.3.7', ' A', '自由入替', 1, '5', '0分9秒', '040908020705030106')")));
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TForm4*>(top); form && form->isVisible()) return form->OnShowProblem();
        QFAIL("the record table window did not open");
    });
    w->OpenRecords();
    QCOMPARE(BoardCode(w->Model()), std::string("040908020705030106"));
}

// Swaps cells a and b of Puzzle I (or cell a of table A with cell b of table B) as the player does.
void Swap(TGameWindow& w, int a, int b)
{
    if (auto* one = dynamic_cast<TForm2*>(&w)) {
        ClickCell(one, a);
        ClickCell(one, b);
    } else {
        auto& two = static_cast<TForm3&>(w);
        two.Model().Pick(TForm3::TableA, a);
        two.Model().Pick(TForm3::TableB, b);
    }
    w.OnSwap();
}

// The playing child: a new 9-cell game, one swap every 2 ms, each printed as "count board" once
// it has been made and followed by a second of play; ends as the program does on SIGTERM and SIGHUP.
int PlayingChild(const QString& dir)
{
    if (!QDir::setCurrent(dir)) return 2;
    qx::test::FakeMessages messages;
    qx::test::FakeSounds sounds;
    TDataModule1 module;
    TForm2 form;
    form.KeepGamesIn(&module.KeptGames());
    form.fixedSeed = 7;
    QuitOnEndSignals(qApp);
    form.OnNewProblem();
    int k = 0;
    QTimer swaps;
    QObject::connect(&swaps, &QTimer::timeout, [&] {
        k = k % 8 + 1;
        Swap(form, k, k + 1);
        if (form.Model().CurrentPhase() != Phase::Playing) QCoreApplication::exit(3);
        printf("%d %s\n", form.Model().SwapCount(), BoardCode(form.Model()).c_str());
        fflush(stdout);
        form.OnSecond();  // a second after each swap: kept only by a save on the way out
    });
    swaps.start(2);
    return QApplication::exec();
}

// The child of the read-only test, run as a user who may not write data/: two swaps, then what
// the status bar said after each and the count.
int ReadOnlyChild(const QString& dir)
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 4;
    if (!QDir::setCurrent(dir)) return 2;
    qx::test::FakeMessages messages;
    qx::test::FakeSounds sounds;
    TDataModule1 module;
    TForm2 form;
    form.KeepGamesIn(&module.KeptGames());
    form.OfferSavedGame();
    StartPuzzle1(&form, {2, 1, 4, 3, 5, 6, 7, 8, 9});
    QStringList seen{QString::number(int(module.Database().Access()))};
    for (int a : {1, 5}) {
        Swap(form, a, a + 1);
        seen << form.StatusText();
    }
    seen << QString::number(form.Model().SwapCount()) << QString::number(messages.boxes.size());
    printf("%s\n", qPrintable(seen.join(QLatin1Char('|'))));
    return 0;
}

}  // namespace

class TestResume : public qx::test::DataDirTest {
    Q_OBJECT

private:
    // A window of game type 1 or 2 that keeps its games in the test's data module.
    std::unique_ptr<TGameWindow> GameWindow(int game)
    {
        std::unique_ptr<TGameWindow> w;
        if (game == 1)
            w = std::make_unique<TForm2>();
        else
            w = std::make_unique<TForm3>();
        w->KeepGamesIn(&module_->KeptGames());
        return w;
    }

    // A Puzzle I window on the test's data module with 2 1 4 3 5 … 9 started and 1 ↔ 2 swapped.
    std::unique_ptr<TForm2> PlayedPuzzle1()
    {
        auto form = std::make_unique<TForm2>();
        form->KeepGamesIn(&module_->KeptGames());
        form->OfferSavedGame();
        StartPuzzle1(form.get(), {2, 1, 4, 3, 5, 6, 7, 8, 9});
        Swap(*form, 1, 2);
        return form;
    }

private slots:
    void init()
    {
        QVERIFY(EnterDataDir());
        ResetGameState();
        QCOMPARE(module_->Database().Access(), RecordAccess::ReadWrite);
    }
    void cleanup()
    {
        TFormBase::QuitHook() = nullptr;
        LeaveDataDir();
    }

    // Which steps of a game keep it (with what count and seconds) and which forget it.
    void savePoints_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("count");  // -1: no row
        QTest::addColumn<int>("seconds");
        QTest::newRow("accepted swap") << "swap" << 1 << 0;
        QTest::newRow("a selection is no save") << "select" << 1 << 0;
        QTest::newRow("中断") << "interrupt" << 1 << 1;
        QTest::newRow("window closed") << "close" << 1 << 1;
        QTest::newRow("終了") << "quit" << 1 << 1;
        QTest::newRow("completed") << "complete" << -1 << 0;
        QTest::newRow("取止め") << "cancel" << -1 << 0;
        QTest::newRow("stored problem") << "stored" << -1 << 0;
        QTest::newRow("size") << "size" << -1 << 0;
        QTest::newRow("condition") << "condition" << -1 << 0;
    }
    void savePoints()
    {
        QFETCH(QString, step);
        QFETCH(int, count);
        QFETCH(int, seconds);
        auto form = PlayedPuzzle1();
        TForm2* f = form.get();
        form->show();
        form->OnSecond();  // a second that only a save of the step itself writes
        TFormBase::QuitHook() = [] {};
        const std::map<QString, std::function<void()>> steps{
            {"swap", [] {}},
            {"select", [f] { ClickCell(f, 5); }},
            {"interrupt", [f] { f->OnInterrupt(); }},
            {"close", [f] { f->close(); }},
            {"quit", [f] { f->AskQuit(); }},
            {"complete", [f] { Swap(*f, 3, 4); }},
            {"cancel", [f] { f->OnCancel(); }},
            {"stored", [f] { ShowStoredProblem(f); }},
            {"size", [f] { f->findChild<QAction*>(QStringLiteral("N4"))->trigger(); }},
            {"condition", [f] { f->findChild<QAction*>(QStringLiteral("N13"))->trigger(); }},
        };
        steps.at(step)();
        const std::optional<SavedGame> kept = Kept(1);
        QCOMPARE(kept.has_value(), count >= 0);
        if (!kept) return;
        QCOMPARE(kept->swapCount, count);
        QCOMPARE(kept->elapsedSeconds, seconds);
        QCOMPARE(kept->boardA, std::string("010204030506070809"));
        QCOMPARE(kept->codeA, std::string("020104030506070809"));
    }

    // The next run's first opening of the window asks, with cue 7; OK lays the game out
    // interrupted, Cancel forgets it.
    void offeredOnFirstOpening_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("question");
        QTest::newRow("Puzzle I, OK") << 1 << true << "９マス・隣り同士・2 回・1分5秒";
        QTest::newRow("Puzzle I, キャンセル") << 1 << false << "９マス・隣り同士・2 回・1分5秒";
        QTest::newRow("Puzzle II, OK") << 2 << true << "１６マス・自由入替・2 回・1分5秒";
    }
    void offeredOnFirstOpening()
    {
        QFETCH(int, game);
        QFETCH(bool, answer);
        QFETCH(QString, question);
        std::unique_ptr<TGameWindow> first = GameWindow(game);
        first->OfferSavedGame();
        first->fixedSeed = 11;
        first->Model().ChooseSize(game == 1 ? BoardSize::Cells9 : BoardSize::Cells16);
        first->Model().ChooseCondition(game == 1 ? SwapCondition::Neighbours : SwapCondition::FreeSwap);
        first->OnNewProblem();
        Swap(*first, 1, 2);
        Swap(*first, 4, 5);
        for (int s = 0; s < 65; ++s) first->OnSecond();
        first->OnInterrupt();
        const std::string boardA = BoardCode(first->Model(), 0);
        const std::string boardB = game == 2 ? BoardCode(first->Model(), 1) : std::string();
        const Table start = first->Model().Problem().startA;
        first.reset();

        ResetGameState();
        std::unique_ptr<TGameWindow> w = GameWindow(game);
        messages_->boxes.clear();
        messages_->answers = {answer};
        sounds_->ids.clear();
        QTimer::singleShot(50, w.get(), [&w] { w->close(); });
        w->ShowModal();
        QCOMPARE(messages_->texts(),
                 QStringList{QStringLiteral("前回の続きがあります（%1）。\r\n続きから始めますか？").arg(question)});
        QCOMPARE(messages_->boxes[0].kind, Box::Confirm);
        QCOMPARE(messages_->boxes[0].pos, BoxPosition());
        QCOMPARE(sounds_->ids.value(0), 7);
        if (!answer) {
            QVERIFY(!Kept(game));
            QCOMPARE(w->ButtonPattern(), QStringLiteral("100000"));
            QCOMPARE(w->Model().Size(), BoardSize::Cells9);
            QCOMPARE(w->Model().Condition(), SwapCondition::FreeSwap);
            QCOMPARE(w->ConditionLabel()->text(), QStringLiteral("（自由入替）"));
            return;
        }
        QCOMPARE(BoardCode(w->Model(), 0), boardA);
        if (game == 2) QCOMPARE(BoardCode(w->Model(), 1), boardB);
        QCOMPARE(w->ButtonPattern(), QStringLiteral("000011"));
        QCOMPARE(w->StatusText(), said::Interrupted);
        QCOMPARE(w->CountDisplay()->text(), QStringLiteral("2"));
        QCOMPARE(w->TimeDisplay()->text(), QStringLiteral("1分5秒"));
        QCOMPARE(w->Model().SwapCount(), 2);
        QCOMPARE(w->Model().Size(), game == 1 ? BoardSize::Cells9 : BoardSize::Cells16);
        // Opening the window again asks nothing.
        QTimer::singleShot(50, w.get(), [&w] { w->close(); });
        w->ShowModal();
        QCOMPARE(messages_->boxes.size(), 1);
        // 再開 goes on with the clock; after 取止め, 同じ問題 lays out the kept start position.
        w->OnResume();
        QCOMPARE(w->ButtonPattern(), QStringLiteral("001101"));
        w->OnSecond();
        QCOMPARE(w->TimeDisplay()->text(), QStringLiteral("1分6秒"));
        w->OnCancel();
        w->OnSameProblem();
        Table shown;
        for (const BoardCell& cell : w->Model().Board(0)) shown.push_back(cell.number);
        QCOMPARE(shown, start);
    }

    // Every kind of row that cannot be used is refused with the message and removed; the window
    // goes on as designed. The first row is the usable one the others are made from.
    void unusableRowsRefused_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("usable") << 1 << "CNT" << QVariant(3);
        QTest::newRow("usable, Puzzle II") << 2 << "CNT" << QVariant(3);
        QTest::newRow("code too short") << 1 << "PRBA" << QVariant("0203010405060708");
        QTest::newRow("code not a permutation") << 1 << "PRBA" << QVariant("020201040506070809");
        QTest::newRow("table B code not a permutation") << 2 << "PRBB" << QVariant("090807060504030209");
        QTest::newRow("board number outside 1…9") << 1 << "BANA" << QVariant("100301040506070809");
        QTest::newRow("board number 0") << 1 << "BANA" << QVariant("000301040506070809");
        QTest::newRow("board not the problem's numbers") << 1 << "BANA" << QVariant("030301040506070809");
        QTest::newRow("tables together not the problem's numbers") << 2 << "BANB" << QVariant("090807060504030209");
        QTest::newRow("board already complete") << 1 << "BANA" << QVariant("010203040506070809");
        QTest::newRow("negative count") << 1 << "CNT" << QVariant(-1);
        QTest::newRow("absurd count") << 1 << "CNT" << QVariant(qlonglong(1) << 40);
        QTest::newRow("absurd seconds") << 2 << "SECS" << QVariant(qlonglong(100000000000));
        QTest::newRow("count as text") << 1 << "CNT" << QVariant("abc");
        QTest::newRow("unknown size") << 1 << "SIZE" << QVariant(4);
        QTest::newRow("unknown condition") << 2 << "JKNCD" << QVariant(7);
        QTest::newRow("no condition") << 1 << "JKNCD" << QVariant();
    }
    void unusableRowsRefused()
    {
        QFETCH(int, game);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QSqlQuery seed = Raw();
        // Puzzle II: 1 of table A and 9 of table B exchanged, both codes as their problems.
        QVERIFY(
            seed.prepare(QStringLiteral("INSERT INTO chudan (GAME, SIZE, JKNCD, PRBA, PRBB, BANA, BANB, CNT, SECS) "
                                        "VALUES (?, 1, 5, '020301040506070809', ?, ?, ?, 3, 65)")));
        seed.addBindValue(game);
        seed.addBindValue(game == 2 ? QVariant("090807060504030201") : QVariant(""));
        seed.addBindValue(game == 2 ? "020309040506070809" : "030201040506070809");
        seed.addBindValue(game == 2 ? QVariant("010807060504030201") : QVariant(""));
        QVERIFY(seed.exec());
        QVERIFY(seed.prepare(QStringLiteral("UPDATE chudan SET %1 = ?").arg(column)));
        seed.addBindValue(value);
        QVERIFY(seed.exec());
        seed.finish();

        std::unique_ptr<TGameWindow> w = GameWindow(game);
        messages_->boxes.clear();
        messages_->answers = {false};
        w->OfferSavedGame();
        const bool usable = QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("usable"));
        QCOMPARE(messages_->boxes.size(), 1);
        if (usable) {
            QCOMPARE(messages_->last().kind, Box::Confirm);
            return;
        }
        QCOMPARE(messages_->last().kind, Box::Plain);
        QCOMPARE(messages_->last().text, said::UnusableSave);
        QVERIFY(!Kept(game));
        QCOMPARE(w->ButtonPattern(), QStringLiteral("100000"));
        QCOMPARE(w->StatusText(), said::Idle);
        QCOMPARE(w->Model().Board(0).front().number, 0);
    }

    // Another copy holding the write lock costs a swap a few milliseconds and one status message
    // per game; the game goes on and is kept again once the lock is gone.
    void lockedDatabaseNeverBlocksPlay()
    {
        auto form = PlayedPuzzle1();
        QSqlQuery lock = Raw();
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QElapsedTimer clock;
        clock.start();
        Swap(*form, 3, 5);
        const qint64 lockedSwapMs = clock.elapsed();
        QCOMPARE(form->StatusText(), said::SaveFailed);
        Swap(*form, 3, 5);
        QCOMPARE(form->StatusText(), said::Continue);
        QVERIFY2(lockedSwapMs < 200, qPrintable(QString::number(lockedSwapMs)));
        QVERIFY(lock.exec(QStringLiteral("COMMIT")));
        Swap(*form, 6, 7);
        QCOMPARE(form->Model().SwapCount(), 4);
        QCOMPARE(Kept(1)->swapCount, 4);
        QCOMPARE(messages_->boxes.size(), 1);  // the start question only
    }

    void readOnlyDatabaseNeverBlocksPlay()
    {
        module_.reset();
        QSqlDatabase::removeDatabase(Seeder);
        QVERIFY(::chmod(qPrintable(dir_->path()), 0755) == 0);
        QVERIFY(::chmod("data", 0555) == 0 && ::chmod("data/kiroku.sqlite", 0444) == 0);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--readonly-child"), dir_->path()});
        QVERIFY(child.waitForFinished(60000));
        ::chmod("data", 0755);
        QCOMPARE(child.exitCode(), 0);
        const QString said = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        QCOMPARE(said, QStringList({QString::number(int(RecordAccess::ReadOnly)), said::SaveFailed, said::Continue,
                                    QStringLiteral("2"), QStringLiteral("1")})
                           .join(QLatin1Char('|')));
    }

    // Two copies on one file: each save replaces the row whole, the later one wins, and a save
    // waiting for the other's write fails cleanly rather than mixing the two.
    void twoCopiesKeepOneWholeRow()
    {
        RecordDatabase otherDatabase(QStringLiteral("data/kiroku.sqlite"));
        KeptGameStore other(otherDatabase);
        QCOMPARE(otherDatabase.Open(), RecordAccess::ReadWrite);
        SavedGame mine{1, 1, 1, "020301040506070809", "", "030201040506070809", "", 1, 10};
        const std::string solved25 = EncodeProblemCode(SolvedOrder(25));
        SavedGame theirs{1, 3, 6, solved25, "", "02" + solved25.substr(2, 48), "", 99, 999};
        theirs.boardA.replace(2, 2, "01");
        bool otherRefused = false;
        module_->KeptGames().afterWritten = [&] {
            try {
                other.Save(theirs, 20);
            } catch (const EDatabaseError&) {
                otherRefused = true;
            }
        };
        module_->KeptGames().Save(mine, 20);
        module_->KeptGames().afterWritten = nullptr;
        QVERIFY(otherRefused);
        QCOMPARE(*Kept(1), mine);
        other.Save(theirs, 20);
        QCOMPARE(*Kept(1), theirs);
        QVERIFY(ParseSavedGame(theirs).position);
        QSqlQuery rows = Raw();
        QVERIFY(rows.exec(QStringLiteral("SELECT count(*) FROM chudan")) && rows.next());
        QCOMPARE(rows.value(0).toInt(), 1);
    }

    // However a save during play ends, the records written after it wait and sync as usual, and no
    // transaction is left open.
    void playSaveGivesBackTheUsualWrites_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("kept") << QString();
        QTest::newRow("another copy writing") << QStringLiteral("locked");
        QTest::newRow("failing after the row") << QStringLiteral("midway");
    }
    void playSaveGivesBackTheUsualWrites()
    {
        QFETCH(QString, failure);
        KeptGameStore& kept = module_->KeptGames();
        QSqlQuery lock = Raw();
        if (failure == QLatin1String("locked")) QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        if (failure == QLatin1String("midway"))
            kept.afterWritten = [] { throw EDatabaseError(QStringLiteral("midway")); };
        bool saved = true;
        try {
            kept.Save(SavedGame{1, 1, 1, "020301040506070809", "", "030201040506070809", "", 1, 10}, 20);
        } catch (const EDatabaseError&) {
            saved = false;
        }
        kept.afterWritten = nullptr;
        if (failure == QLatin1String("locked")) QVERIFY(lock.exec(QStringLiteral("COMMIT")));
        QCOMPARE(saved, failure.isEmpty());
        QCOMPARE(Kept(1).has_value(), failure.isEmpty());
        for (const auto& [pragma, usual] : {std::pair{"busy_timeout", RecordDatabase::DefaultBusyTimeoutMs},
                                            std::pair{"synchronous", 2 /* FULL */}}) {
            QSqlQuery q = module_->Database().Run(QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma)), {}, {});
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), usual);
        }
        kept.Delete(GameType::PuzzleI, 20);  // a transaction left open would refuse it
        QVERIFY(!Kept(1));
    }

    // The program ended by a signal while swapping: SIGKILL loses at most the swap being made,
    // SIGTERM and SIGHUP keep the last one; the next run offers exactly that board.
    void endedBySignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGKILL") << int(SIGKILL);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void endedBySignal()
    {
        QFETCH(int, signal);
        module_.reset();
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--play-child"), dir_->path()});
        QVERIFY(child.waitForStarted());
        QStringList lines;
        QElapsedTimer clock;
        clock.start();
        while (lines.size() < 30 && clock.elapsed() < 60000 && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            while (child.canReadLine()) lines << QString::fromLatin1(child.readLine()).trimmed();
        }
        QVERIFY2(lines.size() >= 30, child.readAllStandardError().constData());
        ::kill(pid_t(child.processId()), signal);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), signal == SIGKILL ? QProcess::CrashExit : QProcess::NormalExit);
        while (child.canReadLine()) lines << QString::fromLatin1(child.readLine()).trimmed();
        const QStringList last = lines.last().split(QLatin1Char(' '));
        const int printed = last[0].toInt();

        module_ = std::make_unique<TDataModule1>();
        TForm2 form;
        form.KeepGamesIn(&module_->KeptGames());
        messages_->boxes.clear();
        form.OfferSavedGame();
        QCOMPARE(messages_->boxes.size(), 1);
        QVERIFY2(messages_->last().text.contains(QStringLiteral("・%1 回・").arg(form.Model().SwapCount())),
                 qPrintable(messages_->last().text));
        // The seconds after the last swap are kept only when the program could end as it does.
        QCOMPARE(form.Model().ElapsedSeconds(), form.Model().SwapCount() - (signal == SIGKILL ? 1 : 0));
        const std::string shown = BoardCode(form.Model());
        if (form.Model().SwapCount() == printed) {
            QCOMPARE(QString::fromStdString(shown), last[1]);
        } else {
            // Killed after the save of the next swap, before it was printed: one exchange more.
            QCOMPARE(signal, int(SIGKILL));
            QCOMPARE(form.Model().SwapCount(), printed + 1);
            int differ = 0;
            for (size_t i = 0; i < shown.size(); i += 2)
                differ += shown.substr(i, 2) != last[1].mid(int(i), 2).toStdString();
            QCOMPARE(differ, 2);
        }
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--play-child") return PlayingChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--readonly-child") return ReadOnlyChild(QString::fromLocal8Bit(argv[2]));
    TestResume tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_resume.moc"

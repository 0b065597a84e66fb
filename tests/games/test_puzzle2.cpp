// What Puzzle II does in its own way: two tables and their layout per size, picks with partner
// marks across, exchanges under each condition with their refusals, completion, new problems.
#include "Puzzle2Support.h"
#include "support/Doubles.h"

#include "shell/ColoredButton.h"
#include "shell/Look.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

using namespace qx;
using qx::test::FakeMessages;
using qx::test::FakeSounds;
using T = TForm3::TTable;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const QColor White = TColor(colors::PlainTileColor), Pink = TColor(colors::InPlaceColor),
             Green = TColor(colors::PartnerColor), Navy = TColor(colors::NumberColor),
             DarkRed = TColor(colors::PickedNumberColor), Red = TColor(colors::SelectedNumberColor);

std::unique_ptr<TForm3> Create()
{
    auto f = std::make_unique<TForm3>();
    f->show();
    return f;
}

void Trigger(TForm3* f, const char* action) { f->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }

QColor TileColor(TForm3* f, T t, int k) { return CellTile(f, t, k)->BrushColor(); }
QColor NumberColorOf(TForm3* f, T t, int k) { return LabelColor(CellLabel(f, t, k)); }

// The cells of table `t` whose tile has colour `c`.
QList<int> TilesOf(TForm3* f, T t, const QColor& c)
{
    QList<int> cells;
    for (int k = 1; k <= f->Model().Cells(); ++k)
        if (TileColor(f, t, k) == c) cells << k;
    return cells;
}

std::vector<int> With(std::vector<int> order, std::initializer_list<std::pair<int, int>> numbersAt)
{
    for (auto [k, v] : numbersAt) order[size_t(k - 1)] = v;
    return order;
}

}  // namespace

class TestPuzzle2 : public QObject {
    Q_OBJECT
private slots:
    void windowLooks();
    void layoutPerSize_data();
    void layoutPerSize();
    void wholeGameByClicks();
    void exchange_data();
    void exchange();
    void missingPick_data();
    void missingPick();
    void picks();
    void labelsOutsideGridAndEmptyTables();
    void newProblem_data();
    void newProblem();
};

// Controls whose place follows from the layout rules rather than being listed one by one.
void TestPuzzle2::windowLooks()
{
    FakeSounds sounds;
    auto f = Create();
    QCOMPARE(sounds.ids, QList<int>{6});
    QCOMPARE(f->Client()->size(), QSize(692, 486));
    QCOMPARE(f->findChild<QLabel*>("Label82")->geometry(), QRect(302 + 176, 62 + 176, 33, 21));
    QCOMPARE(f->findChild<TShape*>("Shape34")->geometry(), QRect(296, 48, 45, 45));
    QCOMPARE(f->findChild<QLabel*>("Label18")->size(), QSize(22, 16));
    QCOMPARE(f->findChild<TShape*>("Shape6")->geometry(), QRect(50, 1, 1, 129));
    QCOMPARE(f->findChild<QAction*>("N4")->text(), QStringLiteral("　９マス"));
    QCOMPARE(f->CancelButton()->nextInFocusChain(), f->ResumeButton());
    // Created with "1" … "25", emptied by the board reset at creation.
    QVERIFY(TableTexts(f.get(), T::TableA).join(QString()).isEmpty());
}

void TestPuzzle2::layoutPerSize_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("panel");
    QTest::newRow("９マス") << QByteArray("N4") << 9 << 76;
    QTest::newRow("１６マス") << QByteArray("N5") << 16 << 102;
    QTest::newRow("２５マス") << QByteArray("N6") << 25 << 130;
}

void TestPuzzle2::layoutPerSize()
{
    QFETCH(QByteArray, action);
    QFETCH(int, n);
    QFETCH(int, panel);
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    Trigger(f.get(), "N6");
    StartPuzzle2(f.get(), Solved(f.get()), Solved(f.get()));  // chosen during a game of 25 cells
    Trigger(f.get(), action.constData());
    QCOMPARE(f->Model().Cells(), n);
    const int side = f->Model().Side();
    QCOMPARE(f->findChild<QFrame*>("Panel1")->size(), QSize(panel, panel));
    for (int p = 1; p <= 25; ++p) {
        const bool used = LayoutRow(p) <= side && LayoutColumn(p) <= side;
        QCOMPARE(f->findChild<TShape*>(QStringLiteral("Shape%1").arg(p + 8))->isVisible(), used);
        QCOMPARE(f->findChild<TShape*>(QStringLiteral("Shape%1").arg(p + 33))->isVisible(), used);
        // The completed table shows 1 … n; labels of unused positions lie outside the panel.
        const QLabel* done = f->findChild<QLabel*>(QStringLiteral("Label%1").arg(p + 7));
        if (used) QCOMPARE(done->text(), QString::number(LayoutColumn(p) + (LayoutRow(p) - 1) * side));
        QCOMPARE(f->findChild<QFrame*>("Panel1")->rect().contains(done->geometry()), used);
    }
    // Cell n of each table sits in its own grid, 256 px apart.
    QCOMPARE(CellTile(f.get(), T::TableA, n)->pos() + QPoint(256, 0), CellTile(f.get(), T::TableB, n)->pos());
    QVERIFY((TableTexts(f.get(), T::TableA) + TableTexts(f.get(), T::TableB)).join(QString()).isEmpty());
    QCOMPARE(f->ButtonPattern(), QStringLiteral("100000"));
    QCOMPARE(f->StatusText(), QStringLiteral("「新しい問題」ボタンで始めてください。"));
    QVERIFY(!f->PlayClock()->isActive());
}

// 表A 2 1 3 … 9 and 表B 1 … 7 9 8 are won in four exchanges picked by clicks on the labels.
void TestPuzzle2::wholeGameByClicks()
{
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    StartPuzzle2(f.get(), With(Solved(f.get()), {{1, 2}, {2, 1}}), With(Solved(f.get()), {{8, 9}, {9, 8}}));
    QCOMPARE(f->ButtonPattern(), QStringLiteral("001101"));
    QCOMPARE(TilesOf(f.get(), T::TableA, Pink), (QList<int>{3, 4, 5, 6, 7, 8, 9}));

    const int moves[4][2] = {{1, 1}, {2, 1}, {8, 8}, {8, 9}};
    for (int m = 0; m < 4; ++m) {
        sounds.ids.clear();
        ClickCell(f.get(), T::TableA, moves[m][0]);
        ClickCell(f.get(), T::TableB, moves[m][1]);
        QCOMPARE(NumberColorOf(f.get(), T::TableB, moves[m][1]), DarkRed);
        QTest::mouseClick(f->SwapButton(), Qt::LeftButton);
        QCOMPARE(f->CountDisplay()->text(), QString::number(m + 1));
        QCOMPARE(NumberColorOf(f.get(), T::TableA, moves[m][0]), Navy);
        QCOMPARE(NumberColorOf(f.get(), T::TableB, moves[m][1]), Navy);
        QCOMPARE(sounds.ids, m < 3 ? (QList<int>{6, 6, 1}) : (QList<int>{6, 6, 1, 4}));
        if (m < 3) {
            QCOMPARE(f->Model().Picks().firstIndex + f->Model().Picks().secondIndex, 0);
            QCOMPARE(f->StatusText(), QStringLiteral("数字の入替えを続けてください。"));
            QCOMPARE(f->ButtonPattern(), QStringLiteral("001101"));
        }
    }
    QCOMPARE(TableTexts(f.get(), T::TableA), TableTexts(f.get(), T::TableB));
    QCOMPARE(TilesOf(f.get(), T::TableB, Pink).size(), 9);
    QCOMPARE(messages.last().text, QStringLiteral("完成しました！"));
    QCOMPARE(messages.last().pos, BoxPosition(QPoint(405, 490)));
    QCOMPARE(f->ButtonPattern(), QStringLiteral("110000"));
    QVERIFY(f->Model().Finished());
    QVERIFY(!f->PlayClock()->isActive());
    // The picks stay on the cells of the last exchange.
    QCOMPARE(f->Model().Picks().firstIndex, 8);
    QCOMPARE(f->Model().Picks().secondIndex, 9);
}

void TestPuzzle2::exchange_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("condition");
    QTest::addColumn<std::vector<int>>("numbersA");  // {cell, number} pairs put into solved tables
    QTest::addColumn<std::vector<int>>("numbersB");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("j");
    QTest::addColumn<QString>("refusal");  // empty: allowed
    QTest::addColumn<QPoint>("pos");

    const QString again = QStringLiteral("\r\n選び直してください。");
    const std::vector<int> none;
    QTest::newRow("odd-even 4/4") << 1 << QByteArray("N9") << none << none << 4 << 4
                                  << QStringLiteral("奇数と偶数ではありません。") + again << QPoint(370, 430);
    QTest::newRow("odd-even 4/5") << 1 << QByteArray("N9") << none << none << 4 << 5 << QString() << QPoint();
    QTest::newRow("neighbours same index") << 1 << QByteArray("N12") << none << none << 5 << 5 << QString() << QPoint();
    for (int j : {2, 4, 6, 8})
        QTest::newRow(qPrintable(QStringLiteral("neighbours 5/%1").arg(j)))
            << 1 << QByteArray("N12") << none << none << 5 << j << QString() << QPoint();
    QTest::newRow("neighbours diagonal") << 1 << QByteArray("N12") << std::vector<int>{5, 7} << none << 5 << 1
                                         << QStringLiteral("7隣り同士ではありません。") + again << QPoint(360, 430);
    QTest::newRow("differ by one 5/5") << 1 << QByteArray("N1tu1") << none << none << 5 << 5 << QString() << QPoint();
    QTest::newRow("differ by one 5/6") << 1 << QByteArray("N1tu1") << none << none << 5 << 6 << QString() << QPoint();
    QTest::newRow("differ by one 5/7") << 1 << QByteArray("N1tu1") << none << none << 5 << 7
                                       << QStringLiteral("１つ違いではありません。") + again << QPoint(370, 430);
    QTest::newRow("same row/column 7/7") << 3 << QByteArray("N10") << none << none << 7 << 7 << QString() << QPoint();
    QTest::newRow("same row/column 7/13")
        << 3 << QByteArray("N10") << none << none << 7 << 13
        << QStringLiteral("行または列が同じではありません。") + again << QPoint(370, 430);
    // 4×4: 15 (home row 4) standing in row 2 may go down to row 4, where 5 (home row 2) may come up.
    QTest::newRow("row advance 15 down") << 2 << QByteArray("N11") << std::vector<int>{6, 15} << std::vector<int>{14, 5}
                                         << 6 << 14 << QString() << QPoint();
    QTest::newRow("row advance 15 up") << 2 << QByteArray("N11") << std::vector<int>{6, 15} << none << 6 << 2
                                       << QStringLiteral("行の移動が適切ではありません。") + again << QPoint(360, 430);
    QTest::newRow("free swap") << 3 << QByteArray("N8") << none << none << 1 << 25 << QString() << QPoint();
}

// Every exchange is picked by clicks; a refusal plays cue 3, shows its box, draws both picks red
// with the in-place tiles back, keeps picks and count, and is given again on a second press.
void TestPuzzle2::exchange()
{
    QFETCH(int, size);
    QFETCH(QByteArray, condition);
    QFETCH(std::vector<int>, numbersA);
    QFETCH(std::vector<int>, numbersB);
    QFETCH(int, i);
    QFETCH(int, j);
    QFETCH(QString, refusal);
    QFETCH(QPoint, pos);
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    Trigger(f.get(), size == 1 ? "N4" : size == 2 ? "N5" : "N6");
    Trigger(f.get(), condition.constData());
    std::vector<int> a = Solved(f.get()), b = Solved(f.get());
    for (size_t x = 0; x < numbersA.size(); x += 2) a[size_t(numbersA[x] - 1)] = numbersA[x + 1];
    for (size_t x = 0; x < numbersB.size(); x += 2) b[size_t(numbersB[x] - 1)] = numbersB[x + 1];
    StartPuzzle2(f.get(), a, b);
    const QString first = CellLabel(f.get(), T::TableA, i)->text(), second = CellLabel(f.get(), T::TableB, j)->text();
    ClickCell(f.get(), T::TableA, i);
    ClickCell(f.get(), T::TableB, j);

    for (int press = 0; press < (refusal.isEmpty() ? 1 : 2); ++press) {
        sounds.ids.clear();
        messages.boxes.clear();
        QTest::mouseClick(f->SwapButton(), Qt::LeftButton);
        if (refusal.isEmpty()) {
            QCOMPARE(CellLabel(f.get(), T::TableA, i)->text(), second);
            QCOMPARE(CellLabel(f.get(), T::TableB, j)->text(), first);
            QCOMPARE(f->CountDisplay()->text(), QStringLiteral("1"));
            QVERIFY(sounds.ids.startsWith(1));
            break;
        }
        QCOMPARE(sounds.ids, QList<int>{3});
        QCOMPARE(messages.texts(), QStringList{refusal});
        QCOMPARE(messages.last().pos, BoxPosition(pos));
        QCOMPARE(NumberColorOf(f.get(), T::TableA, i), Red);
        QCOMPARE(NumberColorOf(f.get(), T::TableB, j), Red);
        QCOMPARE(CellLabel(f.get(), T::TableA, i)->text(), first);
        QCOMPARE(f->Model().Picks().firstIndex * 100 + f->Model().Picks().secondIndex, i * 100 + j);
        QVERIFY(f->CountDisplay()->text().isEmpty());
        QVERIFY(TilesOf(f.get(), T::TableB, Green).isEmpty());
        for (int k = 1; k <= f->Model().Cells(); ++k)
            QCOMPARE(TileColor(f.get(), T::TableA, k),
                     CellLabel(f.get(), T::TableA, k)->text().toInt() == k ? Pink : White);
    }
}

void TestPuzzle2::missingPick_data()
{
    QTest::addColumn<int>("pickA");
    QTest::addColumn<int>("pickB");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << 0 << 0 << QStringLiteral("表Ａの数字を選んでください。");
    QTest::newRow("only B") << 0 << 3 << QStringLiteral("表Ａの数字を選んでください。");
    QTest::newRow("only A") << 3 << 0 << QStringLiteral("表Ｂの数字を選んでください。");
}

void TestPuzzle2::missingPick()
{
    QFETCH(int, pickA);
    QFETCH(int, pickB);
    QFETCH(QString, message);
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    StartPuzzle2(f.get(), With(Solved(f.get()), {{1, 2}}), With(Solved(f.get()), {{2, 1}}));
    if (pickA) ClickCell(f.get(), T::TableA, pickA);
    if (pickB) ClickCell(f.get(), T::TableB, pickB);
    sounds.ids.clear();
    QTest::mouseClick(f->SwapButton(), Qt::LeftButton);
    QCOMPARE(messages.last().text, message);
    QVERIFY(!messages.last().pos);
    QVERIFY(sounds.ids.isEmpty());
    QVERIFY(f->CountDisplay()->text().isEmpty());
}

// DifferByOne, 3×3, 表A 5 … with one 4 and one 6 in 表B.
void TestPuzzle2::picks()
{
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    Trigger(f.get(), "N1tu1");
    StartPuzzle2(f.get(), With(Solved(f.get()), {{1, 2}, {2, 1}}), With(Solved(f.get()), {{1, 5}, {5, 1}}));
    sounds.ids.clear();

    // A pick in A marks the 4s and 6s of B only, not B's 5; every A tile turns white.
    ClickCell(f.get(), T::TableA, 5);
    QCOMPARE(TilesOf(f.get(), T::TableB, Green), (QList<int>{4, 6}));
    QCOMPARE(TilesOf(f.get(), T::TableA, White).size(), 9);
    QCOMPARE(NumberColorOf(f.get(), T::TableA, 5), DarkRed);

    // Moving the pick: the former number navy again, the marks recomputed for 1.
    ClickCell(f.get(), T::TableA, 2);
    QCOMPARE(NumberColorOf(f.get(), T::TableA, 5), Navy);
    QCOMPARE(NumberColorOf(f.get(), T::TableA, 2), DarkRed);
    QCOMPARE(f->Model().Picks().firstIndex, 2);
    QCOMPARE(TilesOf(f.get(), T::TableB, Green), (QList<int>{2}));

    // A pick in B while A has one leaves every tile as it is.
    ClickCell(f.get(), T::TableB, 9);
    QCOMPARE(TilesOf(f.get(), T::TableB, Green), (QList<int>{2}));
    QCOMPARE(sounds.ids, (QList<int>{6, 6, 6}));

    // A right click on a number that is not B's pick does nothing.
    ClickCell(f.get(), T::TableB, 8, Qt::RightButton);
    QCOMPARE(f->Model().Picks().secondIndex, 9);
    QCOMPARE(TilesOf(f.get(), T::TableB, Green), (QList<int>{2}));

    // Un-picking B: silent, in-place tiles of both tables back, A's pick stays.
    ClickCell(f.get(), T::TableB, 9, Qt::RightButton);
    QCOMPARE(f->Model().Picks().secondIndex, 0);
    QCOMPARE(NumberColorOf(f.get(), T::TableB, 9), Navy);
    QCOMPARE(TilesOf(f.get(), T::TableA, Pink), (QList<int>{3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(TilesOf(f.get(), T::TableB, Pink), (QList<int>{2, 3, 4, 6, 7, 8, 9}));
    QCOMPARE(f->Model().Picks().firstIndex, 2);
    QCOMPARE(NumberColorOf(f.get(), T::TableA, 2), DarkRed);
    QCOMPARE(sounds.ids.size(), 3);

    // Picks work while interrupted; only the exchange waits for "再開".
    QTest::mouseClick(f->InterruptButton(), Qt::LeftButton);
    ClickCell(f.get(), T::TableB, 1);
    QCOMPARE(f->Model().Picks().secondIndex, 1);
    QVERIFY(!f->SwapButton()->isEnabled());
}

void TestPuzzle2::labelsOutsideGridAndEmptyTables()
{
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    sounds.ids.clear();
    // Empty tables: nothing to pick.
    QTest::mouseClick(f->findChild<QLabel*>("Label33"), Qt::LeftButton);
    QTest::mouseClick(f->findChild<QLabel*>("Label58"), Qt::RightButton);
    QCOMPARE(f->Model().Picks().firstIndex + f->Model().Picks().secondIndex, 0);
    QVERIFY(sounds.ids.isEmpty());

    StartPuzzle2(f.get(), With(Solved(f.get()), {{1, 2}}), With(Solved(f.get()), {{2, 1}}));
    sounds.ids.clear();
    // Layout column 4 or row 4 lies outside 3×3, whatever the label shows.
    for (QLabel* outside : {f->findChild<QLabel*>("Label36"), f->findChild<QLabel*>("Label48"),
                            f->findChild<QLabel*>("Label82"), f->findChild<QLabel*>("Label61")}) {
        outside->setText(QStringLiteral("4"));
        QTest::mouseClick(outside, Qt::LeftButton);
    }
    QCOMPARE(f->Model().Picks().firstIndex + f->Model().Picks().secondIndex, 0);
    QVERIFY(sounds.ids.isEmpty());
    QCOMPARE(f->findChild<QLabel*>("Label45")->pos(), QPoint(134, 150));
    QTest::mouseClick(f->findChild<QLabel*>("Label45"), Qt::LeftButton);  // layout row 3, column 3
    QCOMPARE(f->Model().Picks().firstIndex, 9);
}

void TestPuzzle2::newProblem_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::newRow("９マス") << QByteArray("N4");
    QTest::newRow("１６マス") << QByteArray("N5");
    QTest::newRow("２５マス") << QByteArray("N6");
}

// Each table a shuffled 1 … n with at most one number in place, shown pink before the question;
// the codes are the start numbers as digit pairs.
void TestPuzzle2::newProblem()
{
    QFETCH(QByteArray, action);
    FakeMessages messages;
    FakeSounds sounds;
    auto f = Create();
    Trigger(f.get(), action.constData());
    QList<int> pinkWhileAsked;
    messages.whileOpen = [&](const qx::test::Box&) {
        pinkWhileAsked = TilesOf(f.get(), T::TableA, Pink) + TilesOf(f.get(), T::TableB, Pink);
    };
    QTest::mouseClick(f->NewProblemButton(), Qt::LeftButton);
    QCOMPARE(messages.last().pos, BoxPosition(QPoint(418, 485)));
    int inPlace = 0;
    for (T t : {T::TableA, T::TableB}) {
        const QStringList texts = TableTexts(f.get(), t);
        QString code;
        for (int v = 1; v <= f->Model().Cells(); ++v) {
            QCOMPARE(texts.count(QString::number(v)), 1);
            code += QStringLiteral("%1").arg(texts[v - 1].toInt(), 2, 10, QLatin1Char('0'));
        }
        const GameProblem& problem = f->Model().Problem();
        QCOMPARE(QString::fromStdString(t == T::TableA ? problem.codeA : problem.codeB), code);
        QVERIFY(TilesOf(f.get(), t, Pink).size() <= 1);
        inPlace += TilesOf(f.get(), t, Pink).size();
    }
    QCOMPARE(pinkWhileAsked.size(), inPlace);
}

QTEST_MAIN(TestPuzzle2)
#include "test_puzzle2.moc"

// The Puzzle I window: layout, a whole game by clicks, refusals, selection, partner marks,
// "同じ問題" and "戻る".
#include "Puzzle1Support.h"
#include "support/Doubles.h"
#include "support/SaidTexts.h"

#include "shell/ColoredButton.h"
#include "shell/Look.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QTest>

using namespace qx;
namespace said = qx::test::said;
using qx::test::Box;
using qx::test::FakeMessages;
using qx::test::FakeSounds;

Q_DECLARE_METATYPE(QList<int>)

namespace {

const QColor White = TColor(colors::PlainTileColor);
const QColor Pink = TColor(colors::InPlaceColor);
const QColor Green = TColor(colors::PartnerColor);
const QColor Navy = TColor(colors::NumberColor);
const QColor Red = TColor(colors::SelectedNumberColor);

const char* const SizeActions[] = {"", "N3", "N4", "N6"};
const char* const ConditionActions[] = {"", "N8", "N9", "N10", "N11", "N13", "N14"};

struct Window {
    FakeMessages messages;
    FakeSounds sounds;
    std::unique_ptr<TForm2> form;

    explicit Window(int size = int(BoardSize::Cells9), int condition = int(SwapCondition::FreeSwap))
    {
        form = std::make_unique<TForm2>();
        form->show();
        form->findChild<QAction*>(SizeActions[size])->trigger();
        form->findChild<QAction*>(ConditionActions[condition])->trigger();
        sounds.ids.clear();
    }
    TForm2* operator->() const { return form.get(); }
    TForm2* get() const { return form.get(); }
};

// A start position of n cells with the given numbers at the given cells (BoardIndex → number);
// the other cells take the unused numbers in ascending order.
std::vector<int> Arrange(int n, const QList<int>& pairs)
{
    std::vector<int> order(n, 0);
    std::vector<bool> used(n + 1, false);
    for (int i = 0; i + 1 < pairs.size(); i += 2) {
        order[pairs[i] - 1] = pairs[i + 1];
        used[pairs[i + 1]] = true;
    }
    int next = 1;
    for (int& v : order) {
        if (v) continue;
        while (used[next]) ++next;
        v = next;
        used[next] = true;
    }
    return order;
}

QPoint PosOf(const Box& box) { return box.pos.value_or(QPoint(-1, -1)); }

// Tiles of the active size by the in-place test, except where `expected` says otherwise.
void CheckTiles(TForm2* f, const QMap<int, QColor>& expected)
{
    for (int k = 1; k <= f->Model().Cells(); ++k) {
        const QColor want = expected.value(k, qx::IsInPlace(ShownNumbers(f), k) ? Pink : White);
        QVERIFY2(f->Cells().Tile(k)->BrushColor() == want, qPrintable(QStringLiteral("tile of cell %1").arg(k)));
    }
}

// Runs a click script: "L3" left click on BoardIndex 3, "R3" right click, "P4" left click on the
// number label of LayoutPosition 4.
void RunClicks(TForm2* f, const QString& script)
{
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int n = step.mid(1).toInt();
        if (step[0] == QLatin1Char('P'))
            QTest::mouseClick(f->findChild<QLabel*>(QStringLiteral("Label%1").arg(n + 30)), Qt::LeftButton);
        else
            ClickCell(f, n, step[0] == QLatin1Char('R') ? Qt::RightButton : Qt::LeftButton);
    }
}

}  // namespace

class TestPuzzle1 : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void wholeGame_data();
    void wholeGame();
    void swapVerdicts_data();
    void swapVerdicts();
    void swapNeedsTwo();
    void selection_data();
    void selection();
    void partnerMarks_data();
    void partnerMarks();
    void sameProblem_data();
    void sameProblem();
    void backKeepsGame();
};

void TestPuzzle1::layout_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("visibleTiles");
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<QString>("completedLabel");  // label showing the last number
    QTest::newRow("9") << 1 << 9 << QSize(79, 77) << "Label18";
    QTest::newRow("16") << 2 << 16 << QSize(104, 102) << "Label24";
    QTest::newRow("25") << 3 << 25 << QSize(130, 130) << "Label30";
}

void TestPuzzle1::layout()
{
    QFETCH(int, size);
    QFETCH(int, visibleTiles);
    QFETCH(QSize, panel);
    QFETCH(QString, completedLabel);
    Window w(size);

    QCOMPARE(w->windowTitle(), QStringLiteral("　QXパズルⅠ"));
    QCOMPARE(w->findChild<TShape*>("Shape9")->geometry(), QRect(178, 40, 45, 45));
    QCOMPARE(w->findChild<TShape*>("Shape10")->geometry(), QRect(222, 40, 45, 45));  // shares a border line
    QCOMPARE(w->findChild<TShape*>("Shape33")->geometry(), QRect(354, 216, 45, 45));
    QCOMPARE(w->findChild<QLabel*>("Label31")->geometry(), QRect(184, 56, 33, 19));
    QCOMPARE(w->findChild<QLabel*>("Label43")->geometry(), QRect(272, 144, 33, 19));  // row 3, column 3
    QCOMPARE(w->findChild<TCuteButton*>("CuteButton4")->geometry(), QRect(520, 256, 90, 25));
    // The condition label keeps its designed box, widened about the same centre when the name needs it.
    const QLabel* condition = w->findChild<QLabel*>("Label2");
    const QRect designed(512, 38, 107, 19);
    QCOMPARE(condition->geometry().center().x(), designed.center().x());
    QCOMPARE(condition->geometry().top(), designed.top());
    QCOMPARE(condition->height(), designed.height());
    QVERIFY(condition->width() >=
            std::max(designed.width(), condition->fontMetrics().horizontalAdvance(condition->text())));

    int visible = 0;
    for (int p = 1; p <= 25; ++p) visible += w->findChild<TShape*>(QStringLiteral("Shape%1").arg(p + 8))->isVisible();
    QCOMPARE(visible, visibleTiles);
    // Layout column 4 of row 1 belongs to 16 and 25 cells only.
    QCOMPARE(w->findChild<TShape*>("Shape12")->isVisible(), size >= 2);
    QCOMPARE(w->findChild<QFrame*>("Panel1")->size(), panel);
    QCOMPARE(w->findChild<QFrame*>("Panel1")->palette().color(QPalette::Window), Pink);
    for (int i = 1; i <= 4; ++i) {  // no grid line doubles the panel's border
        QCOMPARE(w->findChild<TShape*>(QStringLiteral("Shape%1").arg(i))->isVisible(), i <= size + 1);
        QCOMPARE(w->findChild<TShape*>(QStringLiteral("Shape%1").arg(i + 4))->isVisible(), i <= size + 1);
    }
    QCOMPARE(w->findChild<QLabel*>(completedLabel)->text(), QString::number(visibleTiles));
    QVERIFY(w->findChild<QLabel*>(completedLabel)->geometry().bottom() < panel.height());
}

void TestPuzzle1::wholeGame_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("9 cells") << 1;
    QTest::newRow("25 cells") << 3;
}

// A new problem played to completion by clicks on the labels, each swap putting one number home.
void TestPuzzle1::wholeGame()
{
    QFETCH(int, size);
    Window w(size);
    w->fixedSeed = 20240601;
    QTest::mouseClick(w->NewProblemButton(), Qt::LeftButton);

    const int n = w->Model().Cells();
    QCOMPARE(w->ButtonPattern(), QStringLiteral("001101"));
    QCOMPARE(int(w->Model().Problem().codeA.size()), 2 * n);
    QVERIFY(w->Model().Problem().codeB.empty());
    QCOMPARE(w->Model().Problem().codeA, EncodeProblemCode(ShownNumbers(w.get())));
    for (int k = 1; k <= n; ++k) {
        QVERIFY(!qx::IsInPlace(ShownNumbers(w.get()), k));
        QCOMPARE(w->Cells().Tile(k)->BrushColor(), White);
    }

    QList<int> expectedCues{7, 1};
    int swaps = 0;
    for (int k = 1; k <= n; ++k) {
        if (w->Cells().Number(k) == QString::number(k)) continue;
        int j = k + 1;
        while (w->Cells().Number(j) != QString::number(k)) ++j;

        ClickCell(w.get(), k);
        QCOMPARE(LabelColor(CellLabel(w.get(), k)), Red);
        QMap<int, QColor> marks;  // FreeSwap marks every cell, the first one turns white
        for (int c = 1; c <= n; ++c) marks[c] = c == k ? White : Green;
        CheckTiles(w.get(), marks);
        ClickCell(w.get(), j);
        QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        ++swaps;

        QCOMPARE(w->Cells().Number(k), QString::number(k));
        QCOMPARE(LabelColor(CellLabel(w.get(), k)), Navy);
        QCOMPARE(LabelColor(CellLabel(w.get(), j)), Navy);
        QCOMPARE(w->CountDisplay()->text(), QString::number(swaps));
        QCOMPARE(w->Model().SwapCount(), swaps);
        QCOMPARE(w->Model().SelectCount(), 0);
        CheckTiles(w.get(), {});
        expectedCues << 6 << 6 << (qx::IsComplete(ShownNumbers(w.get())) ? 4 : 1);
        if (!qx::IsComplete(ShownNumbers(w.get()))) QCOMPARE(w->StatusText(), said::Continue);
    }
    QVERIFY(qx::IsComplete(ShownNumbers(w.get())));
    QCOMPARE(w.sounds.ids, expectedCues);
    QVERIFY(w->Model().Finished());
    QVERIFY(!w->PlayClock()->isActive());
    QCOMPARE(w.messages.last().text, QStringLiteral("完成しました！"));
    QCOMPARE(PosOf(w.messages.last()), QPoint(410, 480));
    QCOMPARE(w->ButtonPattern(), QStringLiteral("110000"));
    QCOMPARE(w->StatusText(), said::Ended);
    for (int k = 1; k <= n; ++k) QCOMPARE(w->Cells().Tile(k)->BrushColor(), Pink);
}

void TestPuzzle1::swapVerdicts_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("condition");
    QTest::addColumn<QList<int>>("placed");  // BoardIndex, number, …
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("refusal");  // empty: allowed
    QTest::addColumn<QPoint>("pos");

    const QString again = QStringLiteral("\r\n選び直してください。");
    QTest::newRow("odd/even 4 and 7") << 1 << 2 << QList<int>{1, 4, 9, 7} << 1 << 9 << QString() << QPoint();
    QTest::newRow("odd/even 3 and 5") << 1 << 2 << QList<int>{1, 3, 6, 5} << 1 << 6
                                      << QStringLiteral("3 と 5 は、奇数と偶数ではありません。") + again
                                      << QPoint(370, 430);
    QTest::newRow("same column 3 and 6") << 1 << 3 << QList<int>{} << 3 << 6 << QString() << QPoint();
    QTest::newRow("row 1 col 3, row 2 col 1")
        << 1 << 3 << QList<int>{} << 3 << 4 << QStringLiteral("3 と 4 は、行と列が同じではありません。") + again
        << QPoint(370, 430);
    QTest::newRow("row advance towards home") << 1 << 4 << QList<int>{1, 8, 4, 2} << 1 << 4 << QString() << QPoint();
    QTest::newRow("row advance past home")
        << 1 << 4 << QList<int>{1, 5, 7, 4} << 1 << 7 << QStringLiteral("行の移動が適切ではありません。") + again
        << QPoint(360, 430);
    QTest::newRow("row advance away from home")
        << 1 << 4 << QList<int>{1, 7, 4, 9} << 1 << 4 << QStringLiteral("行の移動が適切ではありません。") + again
        << QPoint(360, 430);
    QTest::newRow("neighbours 16: 4 and 8") << 2 << 5 << QList<int>{} << 4 << 8 << QString() << QPoint();
    QTest::newRow("neighbours 16: 4 and 5")
        << 2 << 5 << QList<int>{} << 4 << 5 << QStringLiteral("隣り同士ではありません。") + again << QPoint(360, 430);
    QTest::newRow("differ by one 9 and 10") << 2 << 6 << QList<int>{1, 9, 10, 10} << 1 << 10 << QString() << QPoint();
    QTest::newRow("differ by one 9 and 11")
        << 2 << 6 << QList<int>{1, 9, 2, 11} << 1 << 2 << QStringLiteral("9 と 11 は、１つ違いではありません。") + again
        << QPoint(370, 430);
}

void TestPuzzle1::swapVerdicts()
{
    QFETCH(int, size);
    QFETCH(int, condition);
    QFETCH(QList<int>, placed);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QString, refusal);
    QFETCH(QPoint, pos);
    Window w(size, condition);
    StartPuzzle1(w.get(), Arrange(w->Model().Cells(), placed));
    const QString x = w->Cells().Number(a), y = w->Cells().Number(b);
    ClickCell(w.get(), a);
    ClickCell(w.get(), b);
    w.messages.boxes.clear();
    w.sounds.ids.clear();
    QTest::mouseClick(w->SwapButton(), Qt::LeftButton);

    if (refusal.isEmpty()) {
        QCOMPARE(w->Cells().Number(a), y);
        QCOMPARE(w->Cells().Number(b), x);
        QCOMPARE(w->Model().SwapCount(), 1);
        QCOMPARE(w->Model().Picks().firstIndex, 0);
        QVERIFY(w.messages.boxes.isEmpty());
        return;
    }
    QCOMPARE(w.sounds.ids, QList<int>{3});
    QCOMPARE(w.messages.boxes.size(), 1);
    QCOMPARE(w.messages.last().kind, Box::Plain);
    QCOMPARE(w.messages.last().text, refusal);
    QCOMPARE(PosOf(w.messages.last()), pos);
    // Nothing changes: numbers, selection, count.
    QCOMPARE(w->Cells().Number(a), x);
    QCOMPARE(w->Model().SwapCount(), 0);
    QVERIFY(w->CountDisplay()->text().isEmpty());
    QCOMPARE(w->Model().Picks().firstIndex, a);
    QCOMPARE(w->Model().Picks().secondIndex, b);
    QCOMPARE(LabelColor(CellLabel(w.get(), a)), Red);
    QCOMPARE(LabelColor(CellLabel(w.get(), b)), Red);
}

void TestPuzzle1::swapNeedsTwo()
{
    for (const char* clicks : {"", "L1"}) {
        Window w;
        StartPuzzle1(w.get(), Arrange(9, {1, 2, 2, 1}));
        RunClicks(w.get(), QString::fromLatin1(clicks));
        w.sounds.ids.clear();
        QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        QCOMPARE(w.messages.last().text, QStringLiteral("数字を２つ選んでください。"));
        QVERIFY(!w.messages.last().pos);
        QVERIFY(w.sounds.ids.isEmpty());
        QCOMPARE(w->Model().SwapCount(), 0);
    }
}

void TestPuzzle1::selection_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("problem");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("cues");
    QTest::addColumn<QList<int>>("red");

    const QList<int> none;
    QTest::newRow("9: layout column 4 is no cell") << 1 << true << "P4" << 0 << 0 << 0 << none << none;
    QTest::newRow("9: layout position 6 is cell 4")
        << 1 << true << "P6" << 4 << 0 << 1 << QList<int>{6} << QList<int>{4};
    QTest::newRow("16: row 2 column 3 is cell 7") << 2 << true << "P8" << 7 << 0 << 1 << QList<int>{6} << QList<int>{7};
    QTest::newRow("third pick, another number")
        << 1 << true << "L1 L2 L3" << 1 << 2 << 2 << QList<int>{6, 6, 3} << QList<int>{1, 2};
    QTest::newRow("third pick, the first")
        << 1 << true << "L1 L2 L1" << 1 << 2 << 2 << QList<int>{6, 6, 3} << QList<int>{1, 2};
    QTest::newRow("third pick, the second")
        << 1 << true << "L1 L2 L2" << 1 << 2 << 2 << QList<int>{6, 6, 3} << QList<int>{1, 2};
    QTest::newRow("right on the first of two")
        << 1 << true << "L1 L2 R1" << 2 << 0 << 1 << QList<int>{6, 6, 6} << QList<int>{2};
    QTest::newRow("right on the second of two")
        << 1 << true << "L1 L2 R2" << 1 << 0 << 1 << QList<int>{6, 6, 6} << QList<int>{1};
    QTest::newRow("right on the only one") << 1 << true << "L1 R1" << 0 << 0 << 0 << QList<int>{6, 6} << none;
    QTest::newRow("then a new first") << 1 << true << "L1 L2 R1 L5" << 2 << 5 << 2 << QList<int>{6, 6, 6, 6}
                                      << QList<int>{2, 5};
    QTest::newRow("right on an unselected number")
        << 1 << true << "L1 R3" << 1 << 0 << 1 << QList<int>{6} << QList<int>{1};
    QTest::newRow("right with nothing selected") << 1 << true << "R3" << 0 << 0 << 0 << none << none;
    QTest::newRow("the first again") << 1 << true << "L1 L1" << 1 << 0 << 1 << QList<int>{6, 6} << QList<int>{1};
    QTest::newRow("empty board") << 1 << false << "L1 L2 R1" << 0 << 0 << 0 << none << none;
}

void TestPuzzle1::selection()
{
    QFETCH(int, size);
    QFETCH(bool, problem);
    QFETCH(QString, clicks);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, count);
    QFETCH(QList<int>, cues);
    QFETCH(QList<int>, red);
    Window w(size);
    if (problem) StartPuzzle1(w.get(), Arrange(w->Model().Cells(), {1, 2, 2, 1}));
    w.messages.boxes.clear();
    w.sounds.ids.clear();

    RunClicks(w.get(), clicks);

    const Selection& picks = w->Model().Picks();
    QCOMPARE(picks.firstIndex, first);
    QCOMPARE(picks.secondIndex, second);
    QCOMPARE(w->Model().SelectCount(), count);
    QCOMPARE(w.sounds.ids, cues);
    if (first) QCOMPARE(QString::number(picks.firstNumber), w->Cells().Number(first));
    const bool refused = cues.contains(3);
    QCOMPARE(w.messages.boxes.size(), refused ? 1 : 0);
    if (refused) QCOMPARE(w.messages.last().text, QStringLiteral("右クリックでどちらかの数字を戻してください。"));
    for (int k = 1; k <= w->Model().Cells(); ++k)
        QCOMPARE(LabelColor(CellLabel(w.get(), k)), red.contains(k) ? Red : Navy);
    if (count == 0) CheckTiles(w.get(), {});  // no marks left behind
}

void TestPuzzle1::partnerMarks_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("condition");
    QTest::addColumn<QList<int>>("placed");
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("green");
    QTest::addColumn<bool>("firstWhite");

    // Start 2, 1, 3, 4, …: every cell from 3 on stands in its place.
    const QList<int> swapped{1, 2, 2, 1};
    QTest::newRow("free: all, in-place first turns white")
        << 1 << 1 << swapped << 3 << QList<int>{1, 2, 4, 5, 6, 7, 8, 9} << true;
    QTest::newRow("odd/even: the other parity") << 1 << 2 << swapped << 1 << QList<int>{2, 3, 5, 7, 9} << false;
    QTest::newRow("row or column") << 1 << 3 << swapped << 5 << QList<int>{2, 4, 6, 8} << true;
    QTest::newRow("row advance: 7 in row 1 reaches row 3")
        << 1 << 4 << QList<int>{1, 7, 4, 9, 7, 1} << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9} << true;
    QTest::newRow("neighbours of a corner on 16") << 2 << 5 << swapped << 4 << QList<int>{3, 8} << false;
    QTest::newRow("differ by one") << 1 << 6 << swapped << 5 << QList<int>{4, 6} << false;
}

void TestPuzzle1::partnerMarks()
{
    QFETCH(int, size);
    QFETCH(int, condition);
    QFETCH(QList<int>, placed);
    QFETCH(int, first);
    QFETCH(QList<int>, green);
    QFETCH(bool, firstWhite);
    Window w(size, condition);
    StartPuzzle1(w.get(), Arrange(w->Model().Cells(), placed));

    ClickCell(w.get(), first);
    QMap<int, QColor> expected;
    for (int k : green) expected[k] = Green;
    if (firstWhite) expected[first] = White;
    CheckTiles(w.get(), expected);

    ClickCell(w.get(), first, Qt::RightButton);
    CheckTiles(w.get(), {});
}

void TestPuzzle1::sameProblem_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("after completion") << false;
    QTest::newRow("after 取止め") << true;
}

// The start position comes back with its in-place numbers pink before the question, from zero.
void TestPuzzle1::sameProblem()
{
    QFETCH(bool, cancel);
    Window w;
    const std::vector<int> start = Arrange(9, {1, 2, 2, 1});
    StartPuzzle1(w.get(), start);
    const std::string code = w->Model().Problem().codeA;
    w->OnSecond();
    if (cancel) {
        QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
        QCOMPARE(w->ButtonPattern(), QStringLiteral("110000"));
    } else {
        RunClicks(w.get(), QStringLiteral("L1 L2"));
        QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
        QVERIFY(w->Model().Finished());
    }

    bool pinkBeforeQuestion = false;
    w.messages.whileOpen = [&](const Box&) {
        pinkBeforeQuestion = w->Cells().Tile(3)->BrushColor() == Pink && w->Cells().Tile(1)->BrushColor() == White;
    };
    QTest::mouseClick(w->SameProblemButton(), Qt::LeftButton);
    QVERIFY(pinkBeforeQuestion);
    QVERIFY(ShownNumbers(w.get()) == start);
    QCOMPARE(w->Model().Problem().codeA, code);
    QCOMPARE(w->Model().SwapCount(), 0);
    QCOMPARE(w->Model().ElapsedSeconds(), 0);
    QVERIFY(!w->Model().Finished());
    RunClicks(w.get(), QStringLiteral("L1 L2"));
    QTest::mouseClick(w->SwapButton(), Qt::LeftButton);
    QCOMPARE(w->CountDisplay()->text(), QStringLiteral("1"));
}

// "戻る" hides the window with its game going on; the board stays for the next showing. (The
// 9 cells it leaves in the designed record are checked with the record's other fields.)
void TestPuzzle1::backKeepsGame()
{
    Window w(int(BoardSize::Cells25));
    w->fixedSeed = 7;
    QTest::mouseClick(w->NewProblemButton(), Qt::LeftButton);
    const Table board = ShownNumbers(w.get());
    w->findChild<QAction*>("N12")->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->Model().Size(), BoardSize::Cells25);
    QVERIFY(w->PlayClock()->isActive());
    QVERIFY(ShownNumbers(w.get()) == board);
}

QTEST_MAIN(TestPuzzle1)
#include "test_puzzle1.moc"

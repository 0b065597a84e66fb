// The swap conditions with their refusals, and the partner marks, for one table and across two.
#include "core/Rules.h"

#include <QtTest>
#include <climits>

using namespace qx;

namespace {

const QString Again = "\r\n選び直してください。";

// "3 1 2" → {3, 1, 2}; "-" stands for a cell without a number (0).
Table TableOf(const QString& numbers)
{
    Table table;
    for (const QString& t : numbers.split(' ', Qt::SkipEmptyParts)) table.push_back(t == "-" ? 0 : t.toInt());
    return table;
}

const QString Solved9 = "1 2 3 4 5 6 7 8 9";
const QString Solved16 = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16";

void AddVerdictColumns()
{
    QTest::addColumn<int>("condition");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("a");            // first cell (Puzzle II: table A)
    QTest::addColumn<int>("b");            // second cell (Puzzle II: table B)
    QTest::addColumn<int>("x");            // number at a, selected first
    QTest::addColumn<int>("y");            // number at b
    QTest::addColumn<QString>("message");  // empty when allowed
    QTest::addColumn<int>("left");
}

void CompareVerdict(const SwapVerdict& verdict)
{
    QFETCH(QString, message);
    QFETCH(int, left);
    QCOMPARE(verdict.allowed, message.isEmpty());
    QCOMPARE(QString::fromStdString(verdict.message), message);
    if (!verdict.allowed) {
        QCOMPARE(verdict.left, left);
        QCOMPARE(verdict.top, 430);
    }
}

}  // namespace

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void swapOneTable_data()
    {
        AddVerdictColumns();
        const QString odd = " は、奇数と偶数ではありません。" + Again;
        const QString line = " は、行と列が同じではありません。" + Again;
        const QString rows = "行の移動が適切ではありません。" + Again;
        const QString next = "隣り同士ではありません。" + Again;
        const QString one = " は、１つ違いではありません。" + Again;
        QTest::newRow("free: anything") << 1 << 1 << 1 << 9 << 9 << 1 << "" << 0;
        QTest::newRow("odd/even: 4 and 7") << 2 << 1 << 9 << 1 << 4 << 7 << "" << 0;
        QTest::newRow("odd/even: 3 and 5") << 2 << 1 << 3 << 5 << 3 << 5 << "3 と 5" + odd << 370;
        QTest::newRow("odd/even: 5 chosen first") << 2 << 1 << 5 << 3 << 5 << 3 << "5 と 3" + odd << 370;
        QTest::newRow("odd/even: 2 and 4") << 2 << 2 << 2 << 4 << 2 << 4 << "2 と 4" + odd << 370;
        QTest::newRow("line, 9: column 3") << 3 << 1 << 3 << 6 << 8 << 2 << "" << 0;
        QTest::newRow("line, 9: row 1") << 3 << 1 << 1 << 3 << 8 << 2 << "" << 0;
        QTest::newRow("line, 9: indexes 3 and 4") << 3 << 1 << 3 << 4 << 8 << 2 << "8 と 2" + line << 370;
        QTest::newRow("line, 16: column 4") << 3 << 2 << 4 << 16 << 10 << 1 << "" << 0;
        QTest::newRow("line, 16: diagonal") << 3 << 2 << 1 << 16 << 10 << 1 << "10 と 1" + line << 370;
        QTest::newRow("rows: both move home") << 4 << 1 << 1 << 4 << 8 << 2 << "" << 0;
        QTest::newRow("rows: 5 would pass its row") << 4 << 1 << 1 << 7 << 5 << 4 << rows << 360;
        QTest::newRow("rows: 9 would leave for row 1") << 4 << 1 << 1 << 4 << 7 << 9 << rows << 360;
        QTest::newRow("rows: 4 may not leave row 2") << 4 << 1 << 5 << 1 << 4 << 7 << rows << 360;
        QTest::newRow("rows: within its home row") << 4 << 1 << 4 << 6 << 5 << 6 << "" << 0;
        QTest::newRow("rows: within any row") << 4 << 2 << 1 << 4 << 16 << 13 << "" << 0;
        QTest::newRow("rows: 16 both move to row 4 and 1") << 4 << 2 << 1 << 13 << 16 << 2 << "" << 0;
        QTest::newRow("neighbours, 16: 4 and 5") << 5 << 2 << 4 << 5 << 4 << 5 << next << 360;
        QTest::newRow("neighbours, 16: 4 and 8") << 5 << 2 << 4 << 8 << 4 << 8 << "" << 0;
        QTest::newRow("neighbours, 9: 5 and 4") << 5 << 1 << 5 << 4 << 1 << 2 << "" << 0;
        QTest::newRow("neighbours, 9: diagonal") << 5 << 1 << 1 << 5 << 1 << 2 << next << 360;
        QTest::newRow("neighbours, 9: same column, two apart") << 5 << 1 << 2 << 8 << 1 << 2 << next << 360;
        QTest::newRow("by one: 9 and 10") << 6 << 3 << 1 << 2 << 9 << 10 << "" << 0;
        QTest::newRow("by one: 10 and 9") << 6 << 3 << 1 << 2 << 10 << 9 << "" << 0;
        QTest::newRow("by one: 9 and 11") << 6 << 3 << 1 << 2 << 9 << 11 << "9 と 11" + one << 370;
        QTest::newRow("by one: 11 first") << 6 << 3 << 1 << 2 << 11 << 9 << "11 と 9" + one << 370;
        QTest::newRow("no condition") << 0 << 1 << 1 << 9 << 3 << 5 << "" << 0;
        QTest::newRow("unknown condition") << 7 << 1 << 1 << 9 << 3 << 5 << "" << 0;
    }
    void swapOneTable()
    {
        QFETCH(int, condition);
        QFETCH(int, size);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, x);
        QFETCH(int, y);
        const int s = GridSide(BoardSize(size));
        const SwapVerdict verdict = CheckSwapCondition(SwapCondition(condition), s, a, b, x, y);
        CompareVerdict(verdict);
        if (condition == int(SwapCondition::SameRowOrColumn)) QCOMPARE(IsSameRowOrColumn(a, b, s), verdict.allowed);
        if (condition == int(SwapCondition::RowAdvance)) QCOMPARE(IsRowAdvance(a, b, x, y, s), verdict.allowed);
        if (condition == int(SwapCondition::Neighbours)) QCOMPARE(AreNeighbours(a, b, s), verdict.allowed);
    }

    void swapAcross_data()
    {
        AddVerdictColumns();
        const QString odd = "奇数と偶数ではありません。" + Again;
        const QString line = "行または列が同じではありません。" + Again;
        const QString rows = "行の移動が適切ではありません。" + Again;
        const QString next = "隣り同士ではありません。" + Again;
        const QString one = "１つ違いではありません。" + Again;
        QTest::newRow("free") << 1 << 3 << 1 << 25 << 2 << 2 << "" << 0;
        QTest::newRow("odd/even: 4 and 7") << 2 << 1 << 1 << 1 << 4 << 7 << "" << 0;
        QTest::newRow("odd/even: 4 and 4") << 2 << 1 << 1 << 1 << 4 << 4 << odd << 370;
        QTest::newRow("line, 25: 7 and 7") << 3 << 3 << 7 << 7 << 1 << 2 << "" << 0;
        QTest::newRow("line, 25: 7 and 12") << 3 << 3 << 7 << 12 << 1 << 2 << "" << 0;
        QTest::newRow("line, 25: 7 and 10") << 3 << 3 << 7 << 10 << 1 << 2 << "" << 0;
        QTest::newRow("line, 25: 7 and 13") << 3 << 3 << 7 << 13 << 1 << 2 << line << 370;
        QTest::newRow("rows, 16: 15 to row 4, 5 to row 2") << 4 << 2 << 5 << 13 << 15 << 5 << "" << 0;
        QTest::newRow("rows, 16: 15 within row 2") << 4 << 2 << 5 << 8 << 15 << 1 << "" << 0;
        QTest::newRow("rows, 16: 15 to row 1") << 4 << 2 << 5 << 1 << 15 << 1 << rows << 360;
        QTest::newRow("rows, 16: 13 may not leave row 3 for 2") << 4 << 2 << 5 << 9 << 15 << 13 << rows << 360;
        QTest::newRow("neighbours, 9: same index") << 5 << 1 << 5 << 5 << 7 << 3 << "" << 0;
        QTest::newRow("neighbours, 9: above") << 5 << 1 << 5 << 2 << 7 << 3 << "" << 0;
        QTest::newRow("neighbours, 9: left") << 5 << 1 << 5 << 4 << 7 << 3 << "" << 0;
        QTest::newRow("neighbours, 9: right") << 5 << 1 << 5 << 6 << 7 << 3 << "" << 0;
        QTest::newRow("neighbours, 9: below") << 5 << 1 << 5 << 8 << 7 << 3 << "" << 0;
        QTest::newRow("neighbours, 9: diagonal") << 5 << 1 << 5 << 1 << 7 << 3 << "7" + next << 360;
        QTest::newRow("neighbours, 16: 4 and 5") << 5 << 2 << 4 << 5 << 12 << 3 << "12" + next << 360;
        QTest::newRow("by one: 5 and 5") << 6 << 1 << 1 << 2 << 5 << 5 << "" << 0;
        QTest::newRow("by one: 5 and 6") << 6 << 1 << 1 << 2 << 5 << 6 << "" << 0;
        QTest::newRow("by one: 5 and 7") << 6 << 1 << 1 << 2 << 5 << 7 << one << 370;
        QTest::newRow("unknown condition") << 9 << 1 << 1 << 9 << 4 << 4 << "" << 0;
    }
    void swapAcross()
    {
        QFETCH(int, condition);
        QFETCH(int, size);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, x);
        QFETCH(int, y);
        const int s = GridSide(BoardSize(size));
        const SwapVerdict verdict = CheckSwapAcross(SwapCondition(condition), s, a, b, x, y);
        CompareVerdict(verdict);
        if (condition == int(SwapCondition::Neighbours)) QCOMPARE(IsAdjacentOrSame(a, b, s), verdict.allowed);
    }

    void partners_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("f");
        QTest::addColumn<QList<int>>("cells");
        QTest::addColumn<bool>("firstTurnsWhite");
        const QString mixed = "3 1 2 6 4 5 9 7 8";
        QTest::newRow("free: every cell, own tile white")
            << 1 << Solved9 << 5 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true;
        QTest::newRow("odd/even: the even numbers") << 2 << mixed << 1 << QList<int>{3, 4, 5, 9} << false;
        QTest::newRow("odd/even: cells without numbers") << 2 << "3 - 2 - - - - - -" << 1 << QList<int>{3} << false;
        QTest::newRow("line, 9: centre") << 3 << Solved9 << 5 << QList<int>{2, 4, 5, 6, 8} << true;
        QTest::newRow("line, 16: corner") << 3 << Solved16 << 16 << QList<int>{4, 8, 12, 13, 14, 15, 16} << true;
        QTest::newRow("rows: 7 in row 1 marks up to row 3")
            << 4 << "7 2 3 9 5 6 1 8 4" << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true;
        QTest::newRow("rows: 5 in row 1 marks rows 1 and 2")
            << 4 << "5 2 3 4 1 6 7 8 9" << 1 << QList<int>{1, 2, 3, 4, 5, 6} << true;
        QTest::newRow("rows: 2 in row 3 marks rows 1 to 3")
            << 4 << "1 9 3 4 5 6 2 8 7" << 7 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true;
        QTest::newRow("rows: in its home row, only that row") << 4 << Solved16 << 6 << QList<int>{5, 6, 7, 8} << true;
        QTest::newRow("neighbours, 9: centre") << 5 << Solved9 << 5 << QList<int>{2, 4, 6, 8} << false;
        QTest::newRow("neighbours, 9: top left") << 5 << Solved9 << 1 << QList<int>{2, 4} << false;
        QTest::newRow("neighbours, 9: bottom right") << 5 << Solved9 << 9 << QList<int>{6, 8} << false;
        QTest::newRow("neighbours, 16: end of row 1") << 5 << Solved16 << 4 << QList<int>{3, 8} << false;
        QTest::newRow("neighbours, 16: start of row 2") << 5 << Solved16 << 5 << QList<int>{1, 6, 9} << false;
        QTest::newRow("by one: 5 marks 4 and 6") << 6 << mixed << 6 << QList<int>{4, 5} << false;
        QTest::newRow("by one: 1 marks 2 only") << 6 << mixed << 2 << QList<int>{3} << false;
        QTest::newRow("unknown condition") << 7 << Solved9 << 5 << QList<int>{} << false;
        QTest::newRow("no first cell") << 1 << Solved9 << 0 << QList<int>{} << false;
    }
    void partners()
    {
        QFETCH(int, condition);
        QFETCH(QString, table);
        QFETCH(int, f);
        QFETCH(QList<int>, cells);
        QFETCH(bool, firstTurnsWhite);
        const Table numbers = TableOf(table);
        const int side = numbers.size() == 9 ? 3 : 4;
        const int x = f >= 1 ? table.split(' ')[f - 1].toInt() : 1;
        const PartnerMarks marks = MarkPartners(SwapCondition(condition), side, numbers, f, x);
        QCOMPARE(QList<int>(marks.cells.begin(), marks.cells.end()), cells);
        QCOMPARE(marks.firstTurnsWhite, firstTurnsWhite);
    }

    void partnersAcross_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("other");  // the table that is not picked in
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("v");
        QTest::addColumn<QList<int>>("cells");
        QTest::newRow("free") << 1 << "- - - - - - - - -" << 9 << 3 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("odd/even: 4 marks the odd numbers")
            << 2 << "4 1 2 3 5 6 7 8 9" << 1 << 4 << QList<int>{2, 4, 5, 7, 9};
        QTest::newRow("line, 16: the same cell's row and column")
            << 3 << Solved16 << 7 << 1 << QList<int>{3, 5, 6, 7, 8, 11, 15};
        QTest::newRow("rows, 16: 15 in row 2 marks rows 2 to 4")
            << 4 << Solved16 << 5 << 15 << QList<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        QTest::newRow("rows, 16: 1 in row 4 marks every row")
            << 4 << Solved16 << 16 << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        QTest::newRow("neighbours, 9: centre and its four") << 5 << Solved9 << 5 << 1 << QList<int>{2, 4, 5, 6, 8};
        QTest::newRow("neighbours, 9: top left") << 5 << Solved9 << 1 << 1 << QList<int>{1, 2, 4};
        QTest::newRow("neighbours, 16: bottom right corner") << 5 << Solved16 << 16 << 1 << QList<int>{12, 15, 16};
        QTest::newRow("by one: 5 marks 4s and 6s but not 5")
            << 6 << "6 5 4 4 1 2 3 7 8" << 9 << 5 << QList<int>{1, 3, 4};
        QTest::newRow("by one: empty table") << 6 << "- - - - - - - - -" << 1 << 5 << QList<int>{};
        QTest::newRow("unknown condition") << 0 << Solved9 << 5 << 5 << QList<int>{};
        QTest::newRow("no pick") << 1 << Solved9 << 10 << 5 << QList<int>{};
    }
    void partnersAcross()
    {
        QFETCH(int, condition);
        QFETCH(QString, other);
        QFETCH(int, p);
        QFETCH(int, v);
        QFETCH(QList<int>, cells);
        const Table numbers = TableOf(other);
        const int side = numbers.size() == 9 ? 3 : 4;
        const std::vector<int> marked = MarkPartnersAcross(SwapCondition(condition), side, numbers, p, v);
        QCOMPARE(QList<int>(marked.begin(), marked.end()), cells);
    }

    // Input off the board never reaches the arithmetic: refused under every condition, no marks.
    // Each row's first pick (a, x) is off the board.
    void offBoard_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("side 0") << 0 << 1 << 2 << 1 << 2;
        QTest::newRow("side -1") << -1 << INT_MIN << 2 << 1 << 2;
        QTest::newRow("side INT_MIN") << INT_MIN << 1 << 2 << 1 << 2;
        QTest::newRow("cell 0") << 3 << 0 << 2 << 1 << 2;
        QTest::newRow("cell past the grid") << 3 << 10 << 1 << 1 << 2;
        QTest::newRow("cell INT_MIN") << 3 << INT_MIN << 2 << 1 << 2;
        QTest::newRow("cell INT_MAX") << 1 << INT_MAX << 1 << 1 << 1;
        QTest::newRow("number INT_MIN") << 3 << 1 << 2 << INT_MIN << 2;
        QTest::newRow("numbers INT_MAX and -1") << 3 << 1 << 2 << INT_MAX << -1;
        QTest::newRow("number past the grid") << 3 << 1 << 2 << 10 << 1;
    }
    void offBoard()
    {
        QFETCH(int, side);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, x);
        QFETCH(int, y);
        const Table solved = TableOf(Solved9);
        for (int condition = 0; condition <= 7; ++condition) {
            for (const SwapVerdict& v : {CheckSwapCondition(SwapCondition(condition), side, a, b, x, y),
                                         CheckSwapAcross(SwapCondition(condition), side, a, b, x, y)}) {
                QVERIFY(!v.allowed);
                QCOMPARE(QString::fromStdString(v.message), "盤にないマスか数字です。" + Again);
            }
            QVERIFY(MarkPartners(SwapCondition(condition), side, solved, a, x).cells.empty());
            QVERIFY(MarkPartnersAcross(SwapCondition(condition), side, solved, a, x).empty());
        }
        QVERIFY(!IsRowAdvance(a, b, x, y, side));
        if (side >= 1 && a >= 1 && a <= side * side && b >= 1 && b <= side * side) return;  // numbers only
        QVERIFY(!IsSameRowOrColumn(a, b, side));
        QVERIFY(!AreNeighbours(a, b, side));
        QVERIFY(!IsAdjacentOrSame(a, b, side));
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"

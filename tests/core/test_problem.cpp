// Problem codes, the shuffles of both games, the in-place and completion tests.
#include "core/Problem.h"

#include <QtTest>

#include <algorithm>
#include <set>
#include <utility>

using namespace qx;

namespace {

// "3 1 2" → {3, 1, 2}; "-" stands for a cell without a number (0).
Table TableOf(const QString& numbers)
{
    Table table;
    for (const QString& t : numbers.split(' ', Qt::SkipEmptyParts)) table.push_back(t == "-" ? 0 : t.toInt());
    return table;
}

QList<int> ListOf(const std::vector<int>& order) { return QList<int>(order.begin(), order.end()); }

// Numbers standing at their own index (from 1), counted without the code under test.
int NumbersInPlace(const std::vector<int>& order)
{
    int count = 0;
    for (size_t i = 0; i < order.size(); ++i) count += order[i] == int(i + 1);
    return count;
}

// Scripted draws: in pass p the transpositions are (1, 2) except the last tails[p].size(),
// which are tails[p]; the count of (1, 2) swaps is even, so each pass applies just its tail.
// After the script every pass is all (1, 2) and changes nothing.
struct ScriptedPasses {
    std::vector<std::vector<std::pair<int, int>>> tails;  // by pass
    long draws = 0;

    int operator()(int)
    {
        const long t = draws / 2;
        const bool second = draws % 2;
        ++draws;
        const size_t pass = t / 1000;
        const long inPass = t % 1000;
        std::pair<int, int> swap{1, 2};
        if (pass < tails.size()) {
            const auto& tail = tails[pass];
            const long start = 1000 - static_cast<long>(tail.size());
            if (inPass >= start) swap = tail[inPass - start];
        }
        return second ? swap.second : swap.first;
    }
};

}  // namespace

// The scripted tail transpositions of each pass.
using Tails = std::vector<std::vector<std::pair<int, int>>>;
Q_DECLARE_METATYPE(Tails)

class TestProblem : public QObject {
    Q_OBJECT
private slots:
    void codeRoundTrip_data()
    {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("code");
        QTest::newRow("9") << "3 1 2 6 4 5 9 7 8"
                           << "030102060405090708";
        QTest::newRow("16, table A starting 16 2 9") << "16 2 9 1 3 4 5 6 7 8 10 11 12 13 14 15"
                                                     << "16020901030405060708101112131415";
        QTest::newRow("25, 10 then 5") << "10 5 1 2 3 4 6 7 8 9 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25"
                                       << "10050102030406070809111213141516171819202122232425";
    }
    void codeRoundTrip()
    {
        QFETCH(QString, numbers);
        QFETCH(QString, code);
        const Table table = TableOf(numbers);
        QCOMPARE(QString::fromStdString(EncodeProblemCode(table)), code);
        const DecodedProblem back = DecodeProblemCode(code.toStdString(), int(table.size()));
        QVERIFY(back.ok);
        QVERIFY(back.numbers == table);
    }

    // How a number is shown and kept in the designed record: never with a leading zero (a code's
    // "01" is read as 1 above), and no text for a cell without a number.
    void boardNumberText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("no number") << 0 << "";
        QTest::newRow("without a leading zero") << 1 << "1";
        QTest::newRow("two digits") << 25 << "25";
    }
    void boardNumberText()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(BoardNumberText(number)), text);
    }

    void malformedCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("cellCount");
        QTest::addColumn<QString>("says");
        QTest::newRow("empty") << "" << 9 << "";
        QTest::newRow("one pair short") << "0301020604050907" << 9 << "";
        QTest::newRow("one character short") << "03010206040509070" << 9 << "";
        QTest::newRow("one character over") << "0301020604050907080" << 9 << "";
        QTest::newRow("a 16-cell code for 9 cells") << "16020901030405060708101112131415" << 9 << "";
        QTest::newRow("letter") << "0301020604050907a8" << 9 << "";
        QTest::newRow("space") << " 30102060405090708" << 9 << "";
        QTest::newRow("sign") << "+30102060405090708" << 9 << "";
        QTest::newRow("full-width digits") << "０３０１０２０６０４０５０９０７０８" << 9 << "半角";
        QTest::newRow("00") << "000102060405090708" << 9 << "";
        QTest::newRow("10 on 9 cells") << "100102060405090708" << 9 << "";
        QTest::newRow("26 on 25 cells") << "26050102030406070809111213141516171819202122232425" << 25 << "";
        QTest::newRow("99") << "99020901030405060708101112131415" << 16 << "";
        QTest::newRow("repeated") << "030302060405090708" << 9 << "";
        QTest::newRow("repeated at the end") << "16020901030405060708101112131414" << 16 << "";
        QTest::newRow("no board") << "" << 0 << "";
    }
    void malformedCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, cellCount);
        const DecodedProblem result = DecodeProblemCode(code.toStdString(), cellCount);
        QVERIFY(!result.ok);
        QVERIFY(result.numbers.empty());
        QVERIFY(QString::fromStdString(result.reason).endsWith("。"));
        QFETCH(QString, says);
        QVERIFY(QString::fromStdString(result.reason).contains(says));
    }

    void inPlaceAndComplete_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QList<int>>("inPlaceA");
        QTest::addColumn<bool>("completeA");
        QTest::addColumn<bool>("completeBoth");
        QTest::newRow("both complete") << "1 2 3 4 5 6 7 8 9"
                                       << "1 2 3 4 5 6 7 8 9" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true << true;
        QTest::newRow("only A complete") << "1 2 3 4 5 6 7 8 9"
                                         << "2 1 3 4 5 6 7 8 9" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true
                                         << false;
        QTest::newRow("only B complete") << "1 2 3 4 5 6 7 9 8"
                                         << "1 2 3 4 5 6 7 8 9" << QList<int>{1, 2, 3, 4, 5, 6, 7} << false << false;
        QTest::newRow("a number twice") << "1 2 3 3 5 6 7 8 9"
                                        << "1 2 3 4 5 6 7 8 9" << QList<int>{1, 2, 3, 5, 6, 7, 8, 9} << false << false;
        QTest::newRow("empty board") << "- - - - - - - - -"
                                     << "- - - - - - - - -" << QList<int>{} << false << false;
        QTest::newRow("no cells") << ""
                                  << "" << QList<int>{} << false << false;
    }
    void inPlaceAndComplete()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QList<int>, inPlaceA);
        QFETCH(bool, completeA);
        QFETCH(bool, completeBoth);
        const Table tableA = TableOf(a);
        QList<int> inPlace;
        for (int k = 0; k <= int(tableA.size()) + 1; ++k)
            if (IsInPlace(tableA, k)) inPlace << k;
        QCOMPARE(inPlace, inPlaceA);
        QCOMPARE(IsComplete(tableA), completeA);
        QCOMPARE(IsComplete(tableA, TableOf(b)), completeBoth);
    }

    // Equal draws are drawn again up to 100 pairs in all; a pair still equal after that swaps nothing.
    void transpositionDraws_data()
    {
        QTest::addColumn<int>("equalPairs");
        QTest::addColumn<bool>("swapped");
        QTest::addColumn<int>("draws");
        QTest::newRow("first pair differs") << 0 << true << 2;
        QTest::newRow("two equal pairs") << 2 << true << 6;
        QTest::newRow("the 100th pair differs") << 99 << true << 200;
        QTest::newRow("100 equal pairs") << 100 << false << 200;
        QTest::newRow("more equal pairs than allowed") << 150 << false << 200;
    }
    void transpositionDraws()
    {
        QFETCH(int, equalPairs);
        QFETCH(bool, swapped);
        QFETCH(int, draws);
        int made = 0;
        const DrawNumber draw = [&](int) {
            const int i = made++;
            if (i < 2 * equalPairs) return 4;
            return i % 2 ? 7 : 2;
        };
        std::vector<int> order = SolvedOrder(9);
        RandomTransposition(order, draw);
        QCOMPARE(made, draws);
        const std::vector<int> expected = swapped ? std::vector<int>{1, 7, 3, 4, 5, 6, 2, 8, 9} : SolvedOrder(9);
        QCOMPARE(ListOf(order), ListOf(expected));
    }

    void transpositionAlwaysExchangesTwoCells()
    {
        Random rng(7);
        std::vector<int> order = SolvedOrder(9);
        for (int i = 0; i < 1000; ++i) {
            const std::vector<int> before = order;
            RandomTransposition(order, rng);
            int changed = 0;
            for (size_t k = 0; k < order.size(); ++k) changed += order[k] != before[k];
            QCOMPARE(changed, 2);
        }
    }

    // Passes continue from the order the pass before left, stop at the first pass that meets the
    // game's test, and after 1000 failed passes the last order stands.
    void stopRule_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("n");
        QTest::addColumn<Tails>("tails");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("passes");
        const Tails nine{{{1, 2}, {3, 4}}, {{5, 6}, {7, 8}}, {{9, 8}, {3, 5}}};
        const Tails four{{{1, 2}, {2, 3}}, {{1, 4}, {1, 2}}};
        QTest::newRow("I: nothing in place after pass 3")
            << 1 << 9 << nine << QList<int>{2, 1, 6, 3, 4, 5, 8, 9, 7} << 3;
        QTest::newRow("II: one in place after pass 2") << 2 << 9 << nine << QList<int>{2, 1, 4, 3, 6, 5, 8, 7, 9} << 2;
        QTest::newRow("I: one in place is not enough") << 1 << 4 << four << QList<int>{3, 4, 1, 2} << 2;
        QTest::newRow("II: one in place is enough") << 2 << 4 << four << QList<int>{2, 3, 1, 4} << 1;
        QTest::newRow("I: every pass fails") << 1 << 9 << Tails{} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << 1000;
        QTest::newRow("II: every pass fails") << 2 << 9 << Tails{} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << 1000;
    }
    void stopRule()
    {
        QFETCH(int, game);
        QFETCH(int, n);
        QFETCH(Tails, tails);
        QFETCH(QList<int>, order);
        QFETCH(int, passes);
        ScriptedPasses script{tails};
        const DrawNumber draw = std::ref(script);
        const std::vector<int> result = game == 1 ? ShufflePuzzleI(n, draw) : ShufflePuzzleIITable(n, draw);
        QCOMPARE(ListOf(result), order);
        QCOMPARE(script.draws, 2000L * passes);
    }

    void shuffleInvariants_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("n");
        for (int n : {9, 16, 25}) {
            QTest::addRow("Puzzle I, %d", n) << 1 << n;
            QTest::addRow("Puzzle II, %d", n) << 2 << n;
        }
    }
    void shuffleInvariants()
    {
        QFETCH(int, game);
        QFETCH(int, n);
        const int problems = 400;
        const int maxInPlace = game == 1 ? 0 : 1;
        std::set<std::vector<int>> distinct;
        std::set<std::pair<int, int>> seen;  // (cell, other number) pairs that occurred
        int withOneInPlace = 0;
        int withSharedCell = 0;
        for (int seed = 1; seed <= problems; ++seed) {
            Random rng(seed);
            const std::vector<int> a = game == 1 ? ShufflePuzzleI(n, rng) : ShufflePuzzleIITable(n, rng);
            std::vector<int> sorted = a;
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(ListOf(sorted), ListOf(SolvedOrder(n)));
            const int inPlace = NumbersInPlace(a);
            QVERIFY(inPlace <= maxInPlace);
            QCOMPARE(CountInPlace(a), inPlace);
            withOneInPlace += inPlace == 1;
            distinct.insert(a);
            for (int k = 1; k <= n; ++k)
                if (a[k - 1] != k) seen.insert({k, a[k - 1]});

            const std::string code = EncodeProblemCode(a);
            QCOMPARE(int(code.size()), 2 * n);
            const DecodedProblem back = DecodeProblemCode(code, n);
            QVERIFY(back.ok);
            QVERIFY(back.numbers == a);

            if (game == 2) {  // table B from the same generator, by itself
                const std::vector<int> b = ShufflePuzzleIITable(n, rng);
                QVERIFY(NumbersInPlace(b) <= 1);
                QCOMPARE(CountInPlace(b), NumbersInPlace(b));
                for (int k = 0; k < n; ++k)
                    if (a[k] == b[k]) {
                        ++withSharedCell;
                        break;
                    }
            }
        }
        QVERIFY(int(distinct.size()) >= problems * 95 / 100);
        QCOMPARE(int(seen.size()), n * (n - 1));  // every number reaches every other cell
        if (game == 2) {
            QVERIFY(withOneInPlace > 0);  // one number in place is accepted, not shuffled on
            QVERIFY(withSharedCell > 0);  // the two tables are independent
        }
    }
};

QTEST_APPLESS_MAIN(TestProblem)
#include "test_problem.moc"

// What "新しい問題" and a first pick cost on the largest board.
#include "core/Problem.h"
#include "core/Rules.h"

#include <QtTest>

using namespace qx;

class BenchCore : public QObject {
    Q_OBJECT
private slots:
    void newProblemPuzzleI()
    {
        Random rng(1);
        std::string code;
        QBENCHMARK { code = EncodeProblemCode(ShufflePuzzleI(25, rng)); }
        QCOMPARE(int(code.size()), 50);
    }

    void newProblemPuzzleII()
    {
        Random rng(1);
        std::string codeA, codeB;
        QBENCHMARK
        {
            codeA = EncodeProblemCode(ShufflePuzzleIITable(25, rng));
            codeB = EncodeProblemCode(ShufflePuzzleIITable(25, rng));
        }
        QCOMPARE(int(codeA.size() + codeB.size()), 100);
    }

    // One first pick in the centre of the 25-cell board: the Puzzle I marks and the marks across.
    void partnerMarking_data()
    {
        QTest::addColumn<int>("condition");
        QTest::newRow("FreeSwap") << int(SwapCondition::FreeSwap);
        QTest::newRow("OddEven") << int(SwapCondition::OddEven);
        QTest::newRow("SameRowOrColumn") << int(SwapCondition::SameRowOrColumn);
        QTest::newRow("RowAdvance") << int(SwapCondition::RowAdvance);
        QTest::newRow("Neighbours") << int(SwapCondition::Neighbours);
        QTest::newRow("DifferByOne") << int(SwapCondition::DifferByOne);
    }
    void partnerMarking()
    {
        QFETCH(int, condition);
        Random rng(1);
        const Table table = ShufflePuzzleI(25, rng);
        const int v = table[12];
        size_t marked = 0;
        QBENCHMARK
        {
            marked += MarkPartners(SwapCondition(condition), 5, table, 13, v).cells.size();
            marked += MarkPartnersAcross(SwapCondition(condition), 5, table, 13, v).size();
        }
        QVERIFY(marked > 0);
    }
};

QTEST_APPLESS_MAIN(BenchCore)
#include "bench_core.moc"

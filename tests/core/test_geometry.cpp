// Board geometry, the cell map, home rows, display names and the shared state's reset.
#include "core/Board.h"
#include "core/GameState.h"

#include <QtTest>

using namespace qx;

class TestGeometry : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetGameState(); }

    void cellMap_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("9") << 1 << QList<int>{1, 2, 3, 6, 7, 8, 11, 12, 13};
        QTest::newRow("16") << 2 << QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14, 16, 17, 18, 19};
        QList<int> all;
        for (int p = 1; p <= 25; ++p) all << p;
        QTest::newRow("25") << 3 << all;
        QTest::newRow("no size yet") << 0 << QList<int>{};
    }
    void cellMap()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, positions);
        GameState.CellMap.fill(-1);
        BuildCellMap(GameState.CellMap, BoardSize(size));
        const int n = CellCount(BoardSize(size));
        QCOMPARE(n, int(positions.size()));
        for (int k = 1; k <= 25; ++k) {
            if (k <= n) {
                QCOMPARE(GameState.CellMap[k - 1], positions[k - 1]);
                QCOMPARE(LayoutPositionOf(k, BoardSize(size)), positions[k - 1]);
                // the layout cell lies in the same row and column as the grid cell
                QCOMPARE(LayoutRow(positions[k - 1]), RowOf(k, GridSide(BoardSize(size))));
                QCOMPARE(LayoutColumn(positions[k - 1]), ColumnOf(k, GridSide(BoardSize(size))));
            } else {
                QCOMPARE(GameState.CellMap[k - 1], -1);  // later entries are never written
            }
        }
    }

    void smallerSizeKeepsLaterEntries()
    {
        BuildCellMap(GameState.CellMap, BoardSize::Cells25);
        BuildCellMap(GameState.CellMap, BoardSize::Cells9);
        QCOMPARE(GameState.CellMap[3], 6);
        for (int k = 10; k <= 25; ++k) QCOMPARE(GameState.CellMap[k - 1], k);
    }

    void positions_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("layoutPosition");
        QTest::newRow("9: index 4") << 1 << 4 << 2 << 1 << 6;
        QTest::newRow("9: index 9") << 1 << 9 << 3 << 3 << 13;
        QTest::newRow("16: index 4") << 2 << 4 << 1 << 4 << 4;
        QTest::newRow("16: index 5") << 2 << 5 << 2 << 1 << 6;
        QTest::newRow("16: index 16") << 2 << 16 << 4 << 4 << 19;
        QTest::newRow("25: index 13") << 3 << 13 << 3 << 3 << 13;
    }
    void positions()
    {
        QFETCH(int, size);
        QFETCH(int, k);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, layoutPosition);
        QCOMPARE(RowOf(k, GridSide(BoardSize(size))), row);
        QCOMPARE(ColumnOf(k, GridSide(BoardSize(size))), column);
        QCOMPARE(LayoutPositionOf(k, BoardSize(size)), layoutPosition);
    }

    void homeRow_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("homeRow");
        QTest::newRow("7 on 9") << 1 << 7 << 3;
        QTest::newRow("7 on 16") << 2 << 7 << 2;
        QTest::newRow("7 on 25") << 3 << 7 << 2;
        QTest::newRow("3 on 9 (end of row 1)") << 1 << 3 << 1;
        QTest::newRow("13 on 16") << 2 << 13 << 4;
        QTest::newRow("25 on 25") << 3 << 25 << 5;
    }
    void homeRow()
    {
        QFETCH(int, size);
        QFETCH(int, number);
        QFETCH(int, homeRow);
        QCOMPARE(HomeRow(number, GridSide(BoardSize(size))), homeRow);
    }

    void names_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("sizeName");
        QTest::addColumn<QString>("conditionName");
        QTest::newRow("0") << 0 << ""
                           << "";
        QTest::newRow("1") << 1 << "９マス・"
                           << "自由入替";
        QTest::newRow("2") << 2 << "１６マス・"
                           << "奇数偶数";
        QTest::newRow("3") << 3 << "２５マス・"
                           << "同じ行列";
        QTest::newRow("4") << 4 << ""
                           << "行の前進";
        QTest::newRow("5") << 5 << ""
                           << "隣り同士";
        QTest::newRow("6") << 6 << ""
                           << "１つ違い";
        QTest::newRow("7") << 7 << ""
                           << "";
    }
    void names()
    {
        QFETCH(int, value);
        QFETCH(QString, sizeName);
        QFETCH(QString, conditionName);
        QCOMPARE(QString::fromStdString(SizeName(BoardSize(value))), sizeName);
        QCOMPARE(QString::fromStdString(ConditionName(SwapCondition(value))), conditionName);
    }
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "test_geometry.moc"

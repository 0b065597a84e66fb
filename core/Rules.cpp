#include "core/Rules.h"

#include <cstdlib>

namespace qx {

namespace {

const char* const ChooseAgain = "\r\n選び直してください。";

// Row r lies between rows p and q, both included, in either order.
bool RowBetween(int r, int p, int q) { return (p <= r && r <= q) || (q <= r && r <= p); }

int Distance(int a, int b, int side)
{
    return std::abs(RowOf(a, side) - RowOf(b, side)) + std::abs(ColumnOf(a, side) - ColumnOf(b, side));
}

SwapVerdict Refuse(std::string message, int left, int top) { return {false, std::move(message), left, top}; }

std::string Named(int x, int y, const char* what)
{
    return std::to_string(x) + " と " + std::to_string(y) + " は、" + what + ChooseAgain;
}

bool OtherParity(int v, int w) { return (v % 2) + (w % 2) == 1; }

}  // namespace

bool IsSameRowOrColumn(int a, int b, int side) { return RowOf(a, side) == RowOf(b, side) || a % side == b % side; }

bool IsRowAdvance(int a, int b, int x, int y, int side)
{
    const int ra = RowOf(a, side);
    const int rb = RowOf(b, side);
    return RowBetween(rb, ra, HomeRow(x, side)) && RowBetween(ra, rb, HomeRow(y, side));
}

bool AreNeighbours(int a, int b, int side) { return Distance(a, b, side) == 1; }

bool IsAdjacentOrSame(int i, int j, int side) { return Distance(i, j, side) <= 1; }

SwapVerdict CheckSwapCondition(int condition, int side, int a, int b, int x, int y)
{
    switch (condition) {
    case OddEven:
        if ((x + y) % 2 != 0) return {};
        return Refuse(Named(x, y, "奇数と偶数ではありません。"), 370, 430);
    case SameRowOrColumn:
        if (IsSameRowOrColumn(a, b, side)) return {};
        return Refuse(Named(x, y, "行と列が同じではありません。"), 370, 430);
    case RowAdvance:
        if (IsRowAdvance(a, b, x, y, side)) return {};
        return Refuse(std::string("行の移動が適切ではありません。") + ChooseAgain, 360, 430);
    case Neighbours:
        if (AreNeighbours(a, b, side)) return {};
        return Refuse(std::string("隣り同士ではありません。") + ChooseAgain, 360, 430);
    case DifferByOne:
        if (std::abs(x - y) <= 1) return {};
        return Refuse(Named(x, y, "１つ違いではありません。"), 370, 430);
    default:
        return {};
    }
}

SwapVerdict CheckSwapAcross(int condition, int side, int i, int j, int a, int b, const std::string& firstNumber)
{
    switch (condition) {
    case OddEven:
        if ((a + b) % 2 != 0) return {};
        return Refuse(std::string("奇数と偶数ではありません。") + ChooseAgain, 370, 430);
    case SameRowOrColumn:
        if (IsSameRowOrColumn(i, j, side)) return {};
        return Refuse(std::string("行または列が同じではありません。") + ChooseAgain, 370, 430);
    case RowAdvance:
        if (IsRowAdvance(i, j, a, b, side)) return {};
        return Refuse(std::string("行の移動が適切ではありません。") + ChooseAgain, 360, 430);
    case Neighbours:
        if (IsAdjacentOrSame(i, j, side)) return {};
        return Refuse(firstNumber + "隣り同士ではありません。" + ChooseAgain, 360, 430);
    case DifferByOne:
        if (std::abs(a - b) <= 1) return {};
        return Refuse(std::string("１つ違いではありません。") + ChooseAgain, 370, 430);
    default:
        return {};
    }
}

PartnerMarks MarkPartners(int condition, int side, const Table& table, int f, int x)
{
    PartnerMarks marks;
    const int n = static_cast<int>(table.size());
    if (f < 1 || f > n) return marks;  // no first pick on this board: nothing to mark
    auto numberAt = [&](int k) { return NumberValue(table[k - 1]); };
    switch (condition) {
    case FreeSwap:
        for (int k = 1; k <= n; ++k) marks.cells.push_back(k);
        marks.firstTurnsWhite = true;
        break;
    case OddEven:
        for (int k = 1; k <= n; ++k)
            if (auto w = numberAt(k); w && OtherParity(x, *w)) marks.cells.push_back(k);
        break;
    case SameRowOrColumn:
        for (int k = 1; k <= n; ++k)
            if (RowOf(k, side) == RowOf(f, side) || ColumnOf(k, side) == ColumnOf(f, side)) marks.cells.push_back(k);
        marks.firstTurnsWhite = true;
        break;
    case RowAdvance:
        for (int k = 1; k <= n; ++k)
            if (RowBetween(RowOf(k, side), RowOf(f, side), HomeRow(x, side))) marks.cells.push_back(k);
        marks.firstTurnsWhite = true;
        break;
    case Neighbours:  // above, left, right, below: the cells that share a side
        for (int k = 1; k <= n; ++k)
            if (AreNeighbours(f, k, side)) marks.cells.push_back(k);
        break;
    case DifferByOne:
        for (int k = 1; k <= n; ++k)
            if (auto w = numberAt(k); w && std::abs(x - *w) == 1) marks.cells.push_back(k);
        break;
    default:
        break;
    }
    return marks;
}

std::vector<int> MarkPartnersAcross(int condition, int side, const Table& otherTable, int p, int v)
{
    std::vector<int> cells;
    const int n = static_cast<int>(otherTable.size());
    if (p < 1 || p > n) return cells;
    auto numberAt = [&](int k) { return NumberValue(otherTable[k - 1]); };
    switch (condition) {
    case FreeSwap:
        for (int k = 1; k <= n; ++k) cells.push_back(k);
        break;
    case OddEven:
        for (int k = 1; k <= n; ++k)
            if (auto w = numberAt(k); w && OtherParity(v, *w)) cells.push_back(k);
        break;
    case SameRowOrColumn:
        for (int k = 1; k <= n; ++k)
            if (RowOf(k, side) == RowOf(p, side) || ColumnOf(k, side) == ColumnOf(p, side)) cells.push_back(k);
        break;
    case RowAdvance:
        for (int k = 1; k <= n; ++k)
            if (RowBetween(RowOf(k, side), RowOf(p, side), HomeRow(v, side))) cells.push_back(k);
        break;
    case Neighbours:
        for (int k = 1; k <= n; ++k)
            if (IsAdjacentOrSame(p, k, side)) cells.push_back(k);
        break;
    case DifferByOne:
        for (int k = 1; k <= n; ++k)
            if (auto w = numberAt(k); w && std::abs(v - *w) == 1) cells.push_back(k);
        break;
    default:
        break;
    }
    return cells;
}

}  // namespace qx

#include "core/Rules.h"

#include <cstdlib>
#include <optional>

namespace qx {

namespace {

const char* const ChooseAgain = "\r\n選び直してください。";
const char* const OffBoard = "盤にないマスか数字です。";

// Row r lies between rows p and q, both included, in either order.
bool RowBetween(int r, int p, int q) { return (p <= r && r <= q) || (q <= r && r <= p); }

// Cells and numbers of a grid run from 1 to side × side.
bool OnBoard(long long v, int side) { return side >= 1 && v >= 1 && v <= static_cast<long long>(side) * side; }

long long Distance(int a, int b, int side)
{
    return std::llabs(static_cast<long long>(RowOf(a, side)) - RowOf(b, side)) +
           std::llabs(static_cast<long long>(ColumnOf(a, side)) - ColumnOf(b, side));
}

bool OtherParity(int v, int w) { return (v % 2) + (w % 2) == 1; }

// Half of a swap: number x leaves cell `from` for cell `to`, where `y` stands (none when that
// cell shows no number). A swap is allowed when both of its halves are; a picked number's
// partners are the cells its own half may go to.
struct Move {
    int side = 0;
    int from = 0;
    int to = 0;
    int x = 0;
    std::optional<int> y;
};

// Only a move on the board reaches the rules' arithmetic.
bool OnBoard(const Move& m)
{
    return OnBoard(m.from, m.side) && OnBoard(m.to, m.side) && OnBoard(m.x, m.side) && (!m.y || OnBoard(*m.y, m.side));
}

bool AnyMove(const Move&) { return true; }
bool ToOtherParity(const Move& m) { return m.y && OtherParity(m.x, *m.y); }
bool AlongRowOrColumn(const Move& m) { return IsSameRowOrColumn(m.from, m.to, m.side); }
// Never past its home row, never away from it.
bool TowardsHomeRow(const Move& m)
{
    return RowBetween(RowOf(m.to, m.side), RowOf(m.from, m.side), HomeRow(m.x, m.side));
}
bool ToNeighbour(const Move& m) { return AreNeighbours(m.from, m.to, m.side); }
// Across two tables the same cell of the other table counts as a neighbour too.
bool ToNeighbourOrSameCell(const Move& m) { return IsAdjacentOrSame(m.from, m.to, m.side); }
bool ToNumberNextTo(const Move& m) { return m.y && std::llabs(static_cast<long long>(m.x) - *m.y) <= 1; }

// How a refusal names the numbers before its reason.
enum class Naming { None, BothNumbers, FirstNumber };

struct ConditionRule {
    bool (*mayMove)(const Move&);
    bool readsNumbers;  // a number is never its own partner under a rule on the numbers
    const char* reason;
    Naming naming;
    int left;  // the refusal box stands at (left, 430)
};

constexpr int RefusalTop = 430;

// By SwapCondition 1 … 6.
const ConditionRule OneTableRules[6] = {
    {AnyMove, false, "", Naming::None, 0},
    {ToOtherParity, true, "奇数と偶数ではありません。", Naming::BothNumbers, 370},
    {AlongRowOrColumn, false, "行と列が同じではありません。", Naming::BothNumbers, 370},
    {TowardsHomeRow, false, "行の移動が適切ではありません。", Naming::None, 360},
    {ToNeighbour, false, "隣り同士ではありません。", Naming::None, 360},
    {ToNumberNextTo, true, "１つ違いではありません。", Naming::BothNumbers, 370},
};
const ConditionRule TwoTableRules[6] = {
    {AnyMove, false, "", Naming::None, 0},
    {ToOtherParity, true, "奇数と偶数ではありません。", Naming::None, 370},
    {AlongRowOrColumn, false, "行または列が同じではありません。", Naming::None, 370},
    {TowardsHomeRow, false, "行の移動が適切ではありません。", Naming::None, 360},
    {ToNeighbourOrSameCell, false, "隣り同士ではありません。", Naming::FirstNumber, 360},
    {ToNumberNextTo, true, "１つ違いではありません。", Naming::None, 370},
};

// No rule for a value outside 1 … 6: everything is allowed and nothing is marked.
const ConditionRule* RuleOf(const ConditionRule (&rules)[6], SwapCondition condition)
{
    const int c = int(condition);
    return c >= 1 && c <= 6 ? &rules[c - 1] : nullptr;
}

bool Allows(const ConditionRule* rule, int side, int a, int b, int x, int y)
{
    return OnBoard(Move{side, a, b, x, y}) &&
           (!rule || (rule->mayMove({side, a, b, x, y}) && rule->mayMove({side, b, a, y, x})));
}

SwapVerdict Judge(const ConditionRule* rule, int side, int a, int b, int x, int y)
{
    if (!OnBoard(Move{side, a, b, x, y}))
        return {.allowed = false, .message = OffBoard + std::string(ChooseAgain), .left = 360, .top = RefusalTop};
    if (Allows(rule, side, a, b, x, y)) return {};
    std::string message;
    if (rule->naming == Naming::BothNumbers) message = std::to_string(x) + " と " + std::to_string(y) + " は、";
    if (rule->naming == Naming::FirstNumber) message = BoardNumberText(x);
    return {.allowed = false, .message = message + rule->reason + ChooseAgain, .left = rule->left, .top = RefusalTop};
}

std::vector<int> Partners(const ConditionRule* rule, int side, const Table& table, int from, int x)
{
    std::vector<int> cells;
    const int n = static_cast<int>(table.size());
    if (!rule || from < 1 || from > n) return cells;  // no pick on this table: nothing to mark
    for (int k = 1; k <= n; ++k) {
        const std::optional<int> y = table[k - 1] != 0 ? std::optional<int>(table[k - 1]) : std::nullopt;
        if (rule->readsNumbers && y == x) continue;
        const Move move{side, from, k, x, y};
        if (OnBoard(move) && rule->mayMove(move)) cells.push_back(k);
    }
    return cells;
}

}  // namespace

bool IsSameRowOrColumn(int a, int b, int side)
{
    return OnBoard(a, side) && OnBoard(b, side) && (RowOf(a, side) == RowOf(b, side) || a % side == b % side);
}

bool IsRowAdvance(int a, int b, int x, int y, int side)
{
    const Move move{side, a, b, x, y};
    return OnBoard(move) && TowardsHomeRow(move) && TowardsHomeRow({side, b, a, y, x});
}

bool AreNeighbours(int a, int b, int side) { return OnBoard(a, side) && OnBoard(b, side) && Distance(a, b, side) == 1; }

bool IsAdjacentOrSame(int i, int j, int side)
{
    return OnBoard(i, side) && OnBoard(j, side) && Distance(i, j, side) <= 1;
}

SwapVerdict CheckSwapCondition(SwapCondition condition, int side, int a, int b, int x, int y)
{
    return Judge(RuleOf(OneTableRules, condition), side, a, b, x, y);
}

SwapVerdict CheckSwapAcross(SwapCondition condition, int side, int i, int j, int a, int b)
{
    return Judge(RuleOf(TwoTableRules, condition), side, i, j, a, b);
}

bool IsSwapAllowed(SwapCondition condition, int side, int a, int b, int x, int y)
{
    return Allows(RuleOf(OneTableRules, condition), side, a, b, x, y);
}

bool IsSwapAllowedAcross(SwapCondition condition, int side, int i, int j, int a, int b)
{
    return Allows(RuleOf(TwoTableRules, condition), side, i, j, a, b);
}

PartnerMarks MarkPartners(SwapCondition condition, int side, const Table& table, int f, int x)
{
    PartnerMarks marks;
    marks.cells = Partners(RuleOf(OneTableRules, condition), side, table, f, x);
    // A first pick that is among its own partners keeps a plain tile, so that it stands out.
    for (int k : marks.cells) marks.firstTurnsWhite = marks.firstTurnsWhite || k == f;
    return marks;
}

std::vector<int> MarkPartnersAcross(SwapCondition condition, int side, const Table& otherTable, int p, int v)
{
    return Partners(RuleOf(TwoTableRules, condition), side, otherTable, p, v);
}

}  // namespace qx

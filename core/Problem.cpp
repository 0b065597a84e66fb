#include "core/Problem.h"

#include <algorithm>

namespace qx {

namespace {
constexpr int TranspositionsPerPass = 1000;
constexpr int MaxPasses = 1000;
constexpr int MaxDraws = 100;

// Draw a and b until they differ, at most MaxDraws pairs; a pair still equal after that (or a
// draw outside the table) leaves the order as it is.
template <class Draw>
void Transpose(std::vector<int>& order, Draw&& draw)
{
    const int n = static_cast<int>(order.size());
    if (n == 0) return;
    int a = draw(n);
    int b = draw(n);
    for (int draws = 1; a == b && draws < MaxDraws; ++draws) {
        a = draw(n);
        b = draw(n);
    }
    if (a == b || a < 1 || a > n || b < 1 || b > n) return;
    std::swap(order[a - 1], order[b - 1]);
}

// From the complete table, passes of transpositions, each continuing from the order the one
// before left, until at most maxInPlace numbers stand in place; the last order is kept when
// every pass fails.
template <class Draw>
std::vector<int> ShuffleUntil(int n, int maxInPlace, Draw&& draw)
{
    std::vector<int> order = SolvedOrder(n);
    for (int pass = 0; pass < MaxPasses; ++pass) {
        for (int t = 0; t < TranspositionsPerPass; ++t) Transpose(order, draw);
        if (CountInPlace(order) <= maxInPlace) break;
    }
    return order;
}

auto Uniform(Random& rng)
{
    return [&rng](int n) { return std::uniform_int_distribution<int>(1, n)(rng); };
}
}  // namespace

std::string EncodeProblemCode(const Table& numbers)
{
    std::string code;
    code.reserve(numbers.size() * 2);
    for (const int number : numbers) {
        code += char('0' + number / 10 % 10);
        code += char('0' + number % 10);
    }
    return code;
}

DecodedProblem DecodeProblemCode(std::string_view code, int cellCount)
{
    DecodedProblem result;
    if (cellCount < 1 || cellCount > 99) {
        result.reason = "盤の大きさが正しくありません。";
        return result;
    }
    // Full-width digits look right to the player but are three bytes each: name them rather
    // than miscount the length.
    for (const char c : code) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            result.reason = "問題に半角でない文字があります。問題は半角の数字 0～9 だけで書きます。";
            return result;
        }
    }
    if (code.size() != static_cast<size_t>(cellCount) * 2) {
        result.reason = "問題の長さが " + std::to_string(cellCount * 2) + " 文字ではありません。";
        return result;
    }
    std::vector<bool> seen(cellCount + 1, false);
    Table numbers;
    numbers.reserve(cellCount);
    for (int k = 1; k <= cellCount; ++k) {
        const char hi = code[2 * k - 2];
        const char lo = code[2 * k - 1];
        if (hi < '0' || hi > '9' || lo < '0' || lo > '9') {
            result.reason = "問題に数字でない文字があります。";
            return result;
        }
        const int value = (hi - '0') * 10 + (lo - '0');
        if (value < 1 || value > cellCount) {
            result.reason = "問題に 1 から " + std::to_string(cellCount) + " の外の数があります。";
            return result;
        }
        if (seen[value]) {
            result.reason = "問題に同じ数が２つあります。";
            return result;
        }
        seen[value] = true;
        numbers.push_back(value);
    }
    result.ok = true;
    result.numbers = std::move(numbers);
    return result;
}

std::vector<int> SolvedOrder(int n)
{
    std::vector<int> order(std::max(n, 0));
    for (int k = 1; k <= n; ++k) order[k - 1] = k;
    return order;
}

void RandomTransposition(std::vector<int>& order, Random& rng) { Transpose(order, Uniform(rng)); }
void RandomTransposition(std::vector<int>& order, const DrawNumber& draw) { Transpose(order, draw); }

int CountInPlace(const std::vector<int>& order)
{
    int count = 0;
    for (size_t k = 1; k <= order.size(); ++k)
        if (order[k - 1] == static_cast<int>(k)) ++count;
    return count;
}

// Puzzle I wants no number in place; each Puzzle II table may keep one.
std::vector<int> ShufflePuzzleI(int n, Random& rng) { return ShuffleUntil(n, 0, Uniform(rng)); }
std::vector<int> ShufflePuzzleI(int n, const DrawNumber& draw) { return ShuffleUntil(n, 0, draw); }

std::vector<int> ShufflePuzzleIITable(int n, Random& rng) { return ShuffleUntil(n, 1, Uniform(rng)); }
std::vector<int> ShufflePuzzleIITable(int n, const DrawNumber& draw) { return ShuffleUntil(n, 1, draw); }

bool IsInPlace(const Table& table, int k)
{
    if (k < 1 || k > static_cast<int>(table.size())) return false;
    return table[k - 1] == k;
}

bool IsComplete(const Table& table)
{
    if (table.empty()) return false;  // no board, nothing solved
    for (size_t k = 1; k <= table.size(); ++k)
        if (table[k - 1] != int(k)) return false;
    return true;
}

bool IsComplete(const Table& a, const Table& b) { return IsComplete(a) && IsComplete(b); }

std::string BoardNumberText(int number) { return number == 0 ? std::string() : std::to_string(number); }

}  // namespace qx

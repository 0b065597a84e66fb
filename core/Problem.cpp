#include "core/Problem.h"

#include <algorithm>

namespace qx {

namespace {
constexpr int TranspositionsPerPass = 1000;
constexpr int MaxPasses = 1000;
constexpr int MaxDraws = 100;

std::vector<int> ShuffleUntil(int n, int maxInPlace, Random& rng)
{
    std::vector<int> order = SolvedOrder(n);
    for (int pass = 0; pass < MaxPasses; ++pass) {
        for (int t = 0; t < TranspositionsPerPass; ++t) RandomTransposition(order, rng);
        if (CountInPlace(order) <= maxInPlace) break;
    }
    return order;
}
}  // namespace

std::string EncodeProblemCode(const Table& numbers)
{
    std::string code;
    code.reserve(numbers.size() * 2);
    for (const std::string& text : numbers) {
        const std::string padded = "00" + text;
        code += padded.substr(padded.size() - 2);
    }
    return code;
}

DecodedProblem DecodeProblemCode(std::string_view code, int cellCount)
{
    DecodedProblem result;
    if (cellCount <= 0 || code.size() != static_cast<size_t>(cellCount) * 2) {
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
        numbers.push_back(std::to_string(value));
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

void RandomTransposition(std::vector<int>& order, Random& rng)
{
    const int n = static_cast<int>(order.size());
    if (n == 0) return;
    std::uniform_int_distribution<int> draw(1, n);
    int a = draw(rng);
    int b = draw(rng);
    for (int draws = 1; a == b && draws < MaxDraws; ++draws) {
        a = draw(rng);
        b = draw(rng);
    }
    std::swap(order[a - 1], order[b - 1]);
}

int CountInPlace(const std::vector<int>& order)
{
    int count = 0;
    for (size_t k = 1; k <= order.size(); ++k)
        if (order[k - 1] == static_cast<int>(k)) ++count;
    return count;
}

std::vector<int> ShufflePuzzleI(int n, Random& rng) { return ShuffleUntil(n, 0, rng); }

std::vector<int> ShufflePuzzleIITable(int n, Random& rng) { return ShuffleUntil(n, 1, rng); }

Table ToTable(const std::vector<int>& order)
{
    Table table;
    table.reserve(order.size());
    for (int v : order) table.push_back(std::to_string(v));
    return table;
}

std::optional<int> NumberValue(std::string_view text)
{
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1) return std::nullopt;
    return value;
}

bool IsInPlace(const Table& table, int k)
{
    if (k < 1 || k > static_cast<int>(table.size())) return false;
    return NumberValue(table[k - 1]) == k;
}

bool IsComplete(const Table& table)
{
    for (size_t k = 1; k <= table.size(); ++k)
        if (table[k - 1] != std::to_string(k)) return false;
    return true;
}

bool IsComplete(const Table& a, const Table& b) { return IsComplete(a) && IsComplete(b); }

}  // namespace qx

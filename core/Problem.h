#pragma once
// Problems: the start position as numbers and as ProblemCode text, the shuffles of both games,
// and the in-place and completion tests.

#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The numbers of one table, element k - 1 for BoardIndex k; 0 is a cell without a number.
using Table = std::vector<int>;

// The generator every shuffle draws from: seeded from the clock in the program, fixed in tests.
using Random = std::mt19937;

// Each number as its last two decimal digits (0 as "00"), concatenated in board order.
std::string EncodeProblemCode(const Table& numbers);

// A ProblemCode read back: characters 2k − 1 and 2k give the number at k. Malformed codes are
// refused with a reason instead of half-decoded.
struct DecodedProblem {
    bool ok = false;
    Table numbers;       // cellCount numbers when ok
    std::string reason;  // why the code was refused, for the player
};
DecodedProblem DecodeProblemCode(std::string_view code, int cellCount);

// A uniform integer 1 … n: the shuffles' draws as a function, so that a test can script them.
// A draw outside 1 … n exchanges nothing.
using DrawNumber = std::function<int(int n)>;

// The complete table 1 … n.
std::vector<int> SolvedOrder(int n);

// One random transposition of the shuffle: a and b uniform in 1 … n, drawn again while equal,
// at most 100 draws; the numbers at a and b are exchanged (nothing changes if still equal).
void RandomTransposition(std::vector<int>& order, Random& rng);
void RandomTransposition(std::vector<int>& order, const DrawNumber& draw);

// Number of cells k whose number is k.
int CountInPlace(const std::vector<int>& order);

// Puzzle I: from the complete table, passes of 1000 transpositions until no number is in
// place, at most 1000 passes. Element k - 1 is the number at BoardIndex k.
std::vector<int> ShufflePuzzleI(int n, Random& rng);
std::vector<int> ShufflePuzzleI(int n, const DrawNumber& draw);

// Puzzle II, one table: from the complete table, passes of 1000 transpositions until at most
// one number is in place, each pass continuing from the order before; at most 1000 passes.
std::vector<int> ShufflePuzzleIITable(int n, Random& rng);
std::vector<int> ShufflePuzzleIITable(int n, const DrawNumber& draw);

// The number at k (from 1) equals k; a cell without a number is never in place.
bool IsInPlace(const Table& table, int k);
// Every cell 1 … table size holds its own index; a table without cells is not complete.
bool IsComplete(const Table& table);
// Both tables complete.
bool IsComplete(const Table& a, const Table& b);

// A board number as the board and the designed record show it: decimal without leading zeros,
// an empty text for 0 (no number).
std::string BoardNumberText(int number);

}  // namespace qx

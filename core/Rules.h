#pragma once
// The six swap conditions, their refusal messages and the partner marks: for one table
// (Puzzle I) and across two tables (Puzzle II). Cells are BoardIndexes from 1, numbers are values.

#include "core/Board.h"
#include "core/Problem.h"

#include <string>
#include <vector>

namespace qx {

// Allowed, or refused with the message for the player and the screen position of its box.
struct SwapVerdict {
    bool allowed = true;
    std::string message;  // UTF-8, lines joined by "\r\n"
    int left = 0;
    int top = 0;
};

// Same row, or same column (a mod s = b mod s).
bool IsSameRowOrColumn(int a, int b, int side);
// x moves from row(a) to row(b) and y the other way; each may only move towards its home row,
// or stay in its row, never past it.
bool IsRowAdvance(int a, int b, int x, int y, int side);
// The cells share a side.
bool AreNeighbours(int a, int b, int side);
// Puzzle II: the same BoardIndex in the other table, or a neighbour of it.
bool IsAdjacentOrSame(int i, int j, int side);

// One predicate per condition decides both the swap and the partner marks; a value outside the
// enumeration allows everything and marks nothing.
// Input off the board (a side below 1, a cell or a number outside 1 … side × side) is refused under
// every condition, marks nothing, and makes the predicates above false.

// Puzzle I: may x at cell a and y at cell b (x selected first) be swapped?
SwapVerdict CheckSwapCondition(SwapCondition condition, int side, int a, int b, int x, int y);

// Puzzle II: may a (table A, cell i) and b (table B, cell j) be exchanged? The Neighbours message
// starts with a as the board shows it.
SwapVerdict CheckSwapAcross(SwapCondition condition, int side, int i, int j, int a, int b);

// The same judgements without a message, for the solver's many questions.
bool IsSwapAllowed(SwapCondition condition, int side, int a, int b, int x, int y);
bool IsSwapAllowedAcross(SwapCondition condition, int side, int i, int j, int a, int b);

// Puzzle I partner marks for a first pick of number x at cell f on `table`; cells in ascending
// order, all on the table; a pick outside the table marks nothing.
struct PartnerMarks {
    std::vector<int> cells;        // cells whose tile turns PartnerColor
    bool firstTurnsWhite = false;  // afterwards the first cell's own tile is set PlainTileColor
};
PartnerMarks MarkPartners(SwapCondition condition, int side, const Table& table, int f, int x);

// Puzzle II partner marks: cells of the other table that may go with number v picked at cell p,
// in ascending order; the other table's cells without a number (0) never go with a number.
std::vector<int> MarkPartnersAcross(SwapCondition condition, int side, const Table& otherTable, int p, int v);

}  // namespace qx

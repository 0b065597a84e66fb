#include "core/Puzzle2Game.h"

#include "core/Rules.h"

namespace qx {

namespace {
constexpr std::pair<int, int> CompletedBoxAt{405, 490};
int Other(int table) { return 1 - table; }
}  // namespace

void Puzzle2Game::Shuffle(Random& rng)
{
    // Table A is shuffled first, then table B, from the same generator.
    const Table a = ShufflePuzzleIITable(Cells(), rng);
    const Table b = ShufflePuzzleIITable(Cells(), rng);
    SetProblem({a, b, EncodeProblemCode(a), EncodeProblemCode(b)});
    for (int k = 1; k <= Cells(); ++k) {
        CellAt(TableA, k).number = a[k - 1];
        CellAt(TableB, k).number = b[k - 1];
    }
    MarkInPlace();
}

int& Puzzle2Game::PickIndex(int table) { return table == TableA ? Chosen().firstIndex : Chosen().secondIndex; }

bool Puzzle2Game::Pickable(int table, int k) const
{
    // An empty table has nothing to pick.
    return k >= 1 && k <= Cells() && Board(table)[k - 1].number != 0;
}

void Puzzle2Game::MarkPartnersAcross(int table)
{
    for (int t = 0; t < Tables(); ++t)
        for (int k = 1; k <= Cells(); ++k) CellAt(t, k).tile = TileLook::Plain;
    const int number = table == TableA ? Chosen().firstNumber : Chosen().secondNumber;
    for (int k : qx::MarkPartnersAcross(Condition(), Side(), Numbers(Other(table)), PickIndex(table), number))
        CellAt(Other(table), k).tile = TileLook::Partner;
}

Outcome Puzzle2Game::Pick(int table, int k)
{
    if (!Pickable(table, k)) return {};
    int& index = PickIndex(table);
    if (index > 0) CellAt(table, index).ink = NumberLook::Plain;
    index = k;
    (table == TableA ? Chosen().firstNumber : Chosen().secondNumber) = CellAt(table, k).number;
    CellAt(table, k).ink = NumberLook::Picked;
    if (PickIndex(Other(table)) == 0) MarkPartnersAcross(table);
    return {.cues = {SoundCue::Picked}};
}

Outcome Puzzle2Game::Unpick(int table, int k)
{
    if (!Pickable(table, k) || PickIndex(table) != k) return {};  // only this table's pick can be put back
    CellAt(table, k).ink = NumberLook::Plain;
    PickIndex(table) = 0;
    MarkInPlace();
    return {};
}

Outcome Puzzle2Game::Swap()
{
    const Selection s = Chosen();
    if (s.firstIndex == 0) return {.notice = Notice{.text = "表Ａの数字を選んでください。"}, .refused = true};
    if (s.secondIndex == 0) return {.notice = Notice{.text = "表Ｂの数字を選んでください。"}, .refused = true};

    BoardCell& cellA = CellAt(TableA, s.firstIndex);
    BoardCell& cellB = CellAt(TableB, s.secondIndex);
    const SwapVerdict verdict =
        CheckSwapAcross(Condition(), Side(), s.firstIndex, s.secondIndex, s.firstNumber, s.secondNumber);
    if (!verdict.allowed) {
        // Shown once the refusal has been closed: both picks red, the partner marks gone.
        cellA.ink = cellB.ink = NumberLook::Selected;
        MarkInPlace();
        return {.cues = {SoundCue::Refusal},
                .notice = Notice{.text = verdict.message, .at = std::pair{verdict.left, verdict.top}},
                .refused = true};
    }

    cellA.number = s.secondNumber;
    cellB.number = s.firstNumber;
    cellA.ink = cellB.ink = NumberLook::Plain;
    CountSwap();
    MarkInPlace();

    // Step is played after every exchange; the completing one cuts it off with its own cue.
    Outcome outcome{.cues = {SoundCue::Step}};
    if (!IsComplete(Numbers(TableA), Numbers(TableB))) {
        Chosen().firstIndex = 0;
        Chosen().secondIndex = 0;
        outcome.status = status::Continue;
        outcome.keep = Keep::Save;
        return outcome;
    }
    // The picks stay on the cells of the last exchange until the next board reset.
    Finish(outcome, CompletedBoxAt);
    return outcome;
}

Outcome Puzzle2Game::ChooseSwap(int first, int second)
{
    Outcome outcome;
    const Selection s = Chosen();
    if (s.firstIndex) AddCues(outcome, Unpick(TableA, s.firstIndex));
    if (s.secondIndex) AddCues(outcome, Unpick(TableB, s.secondIndex));
    AddCues(outcome, Pick(TableA, first));
    AddCues(outcome, Pick(TableB, second));
    return outcome;
}

}  // namespace qx

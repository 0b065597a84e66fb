#include "core/Puzzle1Game.h"

#include "core/Rules.h"

namespace qx {

namespace {
constexpr std::pair<int, int> CompletedBoxAt{410, 480};
}

void Puzzle1Game::ResetBoard()
{
    Game::ResetBoard();
    selectCount_ = 0;
}

void Puzzle1Game::ClearSelection()
{
    Chosen() = Selection{};
    selectCount_ = 0;
}

void Puzzle1Game::Shuffle(Random& rng)
{
    const Table start = ShufflePuzzleI(Cells(), rng);
    SetProblem({start, {}, EncodeProblemCode(start), {}});
    for (int k = 1; k <= Cells(); ++k) CellAt(0, k).number = start[k - 1];
    ClearSelection();
}

void Puzzle1Game::MarkPartners()
{
    const Selection& s = Chosen();
    const PartnerMarks marks = qx::MarkPartners(Condition(), Side(), Numbers(0), s.firstIndex, s.firstNumber);
    for (int k : marks.cells) CellAt(0, k).tile = TileLook::Partner;
    if (marks.firstTurnsWhite) CellAt(0, s.firstIndex).tile = TileLook::Plain;
}

Outcome Puzzle1Game::Select(int k)
{
    if (k < 1 || k > Cells() || CellAt(0, k).number == 0) return {};  // an empty board has nothing to select
    Selection& s = Chosen();
    ++selectCount_;
    if (selectCount_ >= 3) {
        CellAt(0, k).ink = NumberLook::Plain;
        CellAt(0, s.firstIndex).ink = NumberLook::Selected;
        CellAt(0, s.secondIndex).ink = NumberLook::Selected;
        selectCount_ = 2;
        return {.cues = {SoundCue::Refusal},
                .notice = Notice{.text = "右クリックでどちらかの数字を戻してください。"},
                .refused = true};
    }
    // A click on a selected number selects it again in its place.
    if (k == s.firstIndex || k == s.secondIndex) --selectCount_;
    if (selectCount_ == 1) {
        s.firstIndex = k;
        s.firstNumber = CellAt(0, k).number;
        CellAt(0, k).ink = NumberLook::Selected;
        MarkPartners();
    } else if (selectCount_ == 2) {
        s.secondIndex = k;
        s.secondNumber = CellAt(0, k).number;
        CellAt(0, k).ink = NumberLook::Selected;
    }
    return {.cues = {SoundCue::Picked}};
}

Outcome Puzzle1Game::Unselect(int k)
{
    if (k < 1 || k > Cells() || CellAt(0, k).number == 0) return {};
    Selection& s = Chosen();
    const bool selected = (selectCount_ >= 1 && k == s.firstIndex) || (selectCount_ == 2 && k == s.secondIndex);
    if (!selected) return {};  // only a selected number can be put back

    CellAt(0, k).ink = NumberLook::Plain;
    if (selectCount_ <= 1) {
        s.firstIndex = 0;
        selectCount_ = 0;
        MarkInPlace();  // recolouring every tile by the in-place test leaves no mark behind
    } else {
        if (k == s.firstIndex) {
            // The second selection becomes the first; the marks still show the former first's partners.
            s.firstIndex = s.secondIndex;
            s.firstNumber = s.secondNumber;
        }
        s.secondIndex = 0;
        s.secondNumber = 0;
        selectCount_ = 1;
    }
    return {.cues = {SoundCue::Picked}};
}

Outcome Puzzle1Game::Swap()
{
    const Selection s = Chosen();
    if (s.firstIndex == 0 || s.secondIndex == 0)
        return {.notice = Notice{.text = "数字を２つ選んでください。"}, .refused = true};
    const SwapVerdict verdict =
        CheckSwapCondition(Condition(), Side(), s.firstIndex, s.secondIndex, s.firstNumber, s.secondNumber);
    if (!verdict.allowed)
        return {.cues = {SoundCue::Refusal},
                .notice = Notice{.text = verdict.message, .at = std::pair{verdict.left, verdict.top}},
                .refused = true};

    BoardCell& first = CellAt(0, s.firstIndex);
    BoardCell& second = CellAt(0, s.secondIndex);
    first.number = s.secondNumber;
    second.number = s.firstNumber;
    first.ink = second.ink = NumberLook::Plain;
    MarkInPlace();
    ClearSelection();
    CountSwap();

    Outcome outcome;
    if (!IsComplete(Numbers(0))) {
        outcome.cues = {SoundCue::Step};
        outcome.status = status::Continue;
        outcome.keep = Keep::Save;
        return outcome;
    }
    Finish(outcome, CompletedBoxAt);
    return outcome;
}

Outcome Puzzle1Game::ChooseSwap(int first, int second)
{
    Outcome outcome;
    const Selection s = Chosen();
    if (s.secondIndex) AddCues(outcome, Unselect(s.secondIndex));
    if (s.firstIndex) AddCues(outcome, Unselect(s.firstIndex));
    AddCues(outcome, Select(first));
    AddCues(outcome, Select(second));
    return outcome;
}

}  // namespace qx

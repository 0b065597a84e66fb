#include "core/Game.h"

#include "core/SavedGame.h"

namespace qx {

std::string MinutesAndSeconds(int seconds)
{
    return std::to_string(seconds / 60) + "分" + std::to_string(seconds % 60) + "秒";
}

Game::Game(GameType type, int tables) : type_(type), boards_(size_t(tables), BoardTable(size_t(Cells()))) {}

Table Game::Numbers(int table) const
{
    Table numbers;
    numbers.reserve(boards_[table].size());
    for (const BoardCell& cell : boards_[table]) numbers.push_back(cell.number);
    return numbers;
}

void Game::ResetBoard()
{
    for (BoardTable& board : boards_) board.assign(size_t(Cells()), BoardCell{});
    selection_.firstIndex = 0;
    selection_.secondIndex = 0;
    swapCount_ = 0;
    elapsedSeconds_ = 0;
    clockRunning_ = false;
}

void Game::MarkInPlace(int table)
{
    const Table numbers = Numbers(table);
    for (int k = 1; k <= Cells(); ++k)
        CellAt(table, k).tile = IsInPlace(numbers, k) ? TileLook::InPlace : TileLook::Plain;
}

void Game::MarkInPlace()
{
    for (int t = 0; t < Tables(); ++t) MarkInPlace(t);
}

Outcome Game::NewProblem(Random& rng)
{
    ResetBoard();
    par_.reset();
    hints_ = 0;
    Shuffle(rng);
    return {.keep = Keep::Forget};
}

void Game::LayOutProblem()
{
    const Table* starts[2] = {&problem_.startA, &problem_.startB};
    for (int t = 0; t < Tables(); ++t)
        for (int k = 1; k <= Cells() && k <= int(starts[t]->size()); ++k) CellAt(t, k).number = (*starts[t])[k - 1];
    MarkInPlace();
}

Outcome Game::SameProblem()
{
    ResetBoard();
    hints_ = 0;
    LayOutProblem();
    return {.keep = Keep::Forget};
}

Outcome Game::LayOutStoredProblem(const GameProblem& problem, SwapCondition condition)
{
    problem_ = problem;
    condition_ = condition;
    par_.reset();
    return SameProblem();
}

Outcome Game::Restore(const ResumePosition& position)
{
    size_ = position.size;
    condition_ = position.condition;
    problem_ = position.problem;
    ResetBoard();
    const Table* tables[2] = {&position.boardA, &position.boardB};
    for (int t = 0; t < Tables(); ++t)
        for (int k = 1; k <= Cells() && k <= int(tables[t]->size()); ++k) CellAt(t, k).number = (*tables[t])[k - 1];
    MarkInPlace();
    swapCount_ = position.swapCount;
    elapsedSeconds_ = position.elapsedSeconds;
    hints_ = position.hints;
    par_ = position.par;
    finished_ = false;
    phase_ = Phase::Interrupted;
    return {.status = status::Interrupted};
}

Outcome Game::Start()
{
    finished_ = false;
    clockRunning_ = true;
    phase_ = Phase::Playing;
    return {.cues = {SoundCue::Step}, .status = status::Started};
}

Outcome Game::Interrupt()
{
    clockRunning_ = false;
    phase_ = Phase::Interrupted;
    return {.cues = {SoundCue::Step}, .status = status::Interrupted, .keep = Keep::Save};
}

Outcome Game::Resume()
{
    clockRunning_ = true;
    phase_ = Phase::Playing;
    return {.cues = {SoundCue::Step}, .status = status::Resumed};
}

Outcome Game::Cancel()
{
    ResetBoard();
    phase_ = Phase::Ended;
    // Names no sound: it silences a cue that is still playing.
    return {.cues = {SoundCue::Silence}, .status = status::Ended, .keep = Keep::Forget};
}

bool Game::Tick()
{
    if (!clockRunning_) return false;
    ++elapsedSeconds_;
    return true;
}

Outcome Game::ChooseSize(BoardSize size)
{
    size_ = size;
    ResetBoard();
    par_.reset();
    phase_ = Phase::Idle;
    return {.cues = {SoundCue::Step}, .status = status::Idle, .keep = Keep::Forget};
}

Outcome Game::ChooseCondition(SwapCondition condition)
{
    // After an ended game "同じ問題" replays the problem under the new condition.
    ResetBoard();
    // The same problem under another condition has a par of its own.
    if (condition != condition_) par_.reset();
    condition_ = condition;
    return {.cues = {SoundCue::Step}, .keep = Keep::Forget};
}

void Game::Finish(Outcome& outcome, std::pair<int, int> at)
{
    outcome.cues.push_back(SoundCue::Completed);
    finished_ = true;
    if (par_) par_ = WithPlayedWay(*par_, swapCount_);
    clockRunning_ = false;
    phase_ = Phase::Ended;
    outcome.notice = Notice{.text = "完成しました！", .at = at};
    outcome.status = status::Ended;
    outcome.keep = Keep::Forget;
}

Outcome Game::TakeHint(int first, int second)
{
    ++hints_;
    return ChooseSwap(first, second);
}

void Game::LearnPar(const Par& learned)
{
    par_ = par_ ? Sharper(*par_, learned) : learned;
    if (finished_) par_ = WithPlayedWay(*par_, swapCount_);
}

bool Game::Optimal() const { return finished_ && hints_ == 0 && par_ && par_->Proven() && swapCount_ == par_->found; }

void Game::AddCues(Outcome& into, const Outcome& next)
{
    into.cues.insert(into.cues.end(), next.cues.begin(), next.cues.end());
}

}  // namespace qx

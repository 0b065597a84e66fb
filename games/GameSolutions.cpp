#include "games/GameSolutions.h"

#include "core/Hints.h"
#include "games/SolverWorker.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

using namespace qx;

TGameSolutions::TGameSolutions(QWidget* parent, const Game& game) : QObject(parent), game_(game)
{
    parent->installEventFilter(this);
}

TGameSolutions::~TGameSolutions() { Stop(); }

bool TGameSolutions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent()) {
        // A window that is not on screen shows no late answer; one shown again resumes its search.
        if (event->type() == QEvent::Hide) requests_.clear();
        if (event->type() == QEvent::Show) Follow();
    }
    return false;
}

void TGameSolutions::Follow()
{
    const std::optional<Position> start = StartPosition(game_);
    if (!start) {
        start_.reset();
    } else if (!start_ || start_->position != *start) {
        start_ = Known{*start, {}, false};
        own_.reset();
        board_.reset();
    }
    const std::optional<Position> board = BoardPosition(game_);
    if (!board) {
        board_.reset();
    } else if (!board_ || board_->position != *board) {
        board_ = Known{*board, {}, false};
        DeriveBoard();
    }
    Search();
    Serve();
}

bool TGameSolutions::Along(const std::optional<Known>& from)
{
    if (!from) return false;
    if (!from->answer) {
        // Its search has not answered yet: the board waits for it if it is that very position.
        if (from->position != board_->position) return false;
        board_->answer.reset();
        board_->settled = false;
        return true;
    }
    std::optional<Solution> along = AnswerAlongPath(from->position, *from->answer, board_->position);
    if (!along) return false;
    board_->answer = std::move(along);
    board_->settled = from->settled;
    return true;
}

void TGameSolutions::DeriveBoard()
{
    if (!board_) return;
    if (Along(start_)) {
        boardSource_ = Source::Start;
    } else if (!Along(own_)) {
        // Off every known path (or a better path left it): the board is solved anew, and what was
        // derived for it before still holds meanwhile.
        own_ = Known{board_->position, board_->answer, false};
        board_->settled = false;
        boardSource_ = Source::Own;
    } else {
        boardSource_ = Source::Own;
    }
}

void TGameSolutions::Search()
{
    Known* wanted = nullptr;
    if (board_) {
        const bool completed = ShortestSubjectOf(game_) == ShortestSubject::Problem;
        if ((completed || boardSource_ == Source::Start) && start_)
            wanted = &*start_;
        else if (own_)
            wanted = &*own_;
    }
    if (!wanted || wanted->settled) {
        Stop();
        return;
    }
    if (job_ && searched_ == wanted->position) return;
    Stop();
    searched_ = wanted->position;
    job_ = TSolverWorker::Shared().Submit(searched_, this,
                                          [this](quint64 job, const Solution& answer, TSolverWorker::Report report) {
                                              // A search stopped from outside (the other window's) is resumed when
                                              // needed again.
                                              if (report == TSolverWorker::Report::Stopped) {
                                                  if (job == job_) job_ = 0;
                                                  return;
                                              }
                                              Received(job, answer, report == TSolverWorker::Report::Done);
                                          });
}

void TGameSolutions::Stop()
{
    if (!job_) return;
    TSolverWorker::Shared().Cancel(job_);
    job_ = 0;
}

TGameSolutions::Known* TGameSolutions::Searched(const Position& position)
{
    if (start_ && start_->position == position) return &*start_;
    if (own_ && own_->position == position) return &*own_;
    return nullptr;
}

void TGameSolutions::Received(quint64 job, const Solution& answer, bool done)
{
    if (job != job_) return;
    if (done) job_ = 0;
    Known* known = Searched(searched_);
    if (!known) return;
    known->answer = answer;
    known->settled = done || answer.Proven() || answer.status == Solution::Status::Impossible;
    DeriveBoard();
    Search();
    Serve();
    emit Answered();
}

const TGameSolutions::Known* TGameSolutions::Target(const Request& request) const
{
    const std::optional<Known>& known = request.problem ? start_ : board_;
    return known && known->position == request.position ? &*known : nullptr;
}

bool TGameSolutions::Ready(const Request& request, const Known& known) const
{
    if (!known.answer) return false;
    const Solution& answer = *known.answer;
    if (known.settled || answer.Proven() || answer.status == Solution::Status::Impossible) return true;
    if (request.hint) return answer.HasPath();
    return request.waited;
}

void TGameSolutions::Serve()
{
    // Taken out first: a request met may open a message box, whose event loop brings more answers.
    std::vector<std::pair<Use, Solution>> met;
    for (auto it = requests_.begin(); it != requests_.end();) {
        const Known* known = Target(*it);
        if (!known) {
            it = requests_.erase(it);  // its position went
        } else if (Ready(*it, *known)) {
            met.emplace_back(std::move(it->use), *known->answer);
            it = requests_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [use, answer] : met) use(answer);
}

quint64 TGameSolutions::Add(Request request)
{
    if (!Target(request)) return 0;
    request.serial = ++lastRequest_;
    const quint64 serial = request.serial;
    requests_.push_back(std::move(request));
    Serve();
    return serial;
}

void TGameSolutions::WhenHintReady(Use use)
{
    Follow();
    if (!board_) return;
    Add({.position = board_->position, .use = std::move(use), .hint = true});
}

void TGameSolutions::WhenSettled(ShortestSubject subject, Use use)
{
    Follow();
    const bool problem = subject == ShortestSubject::Problem;
    const std::optional<Known>& target = problem ? start_ : board_;
    if (!target) return;
    const quint64 serial = Add({.problem = problem, .position = target->position, .use = std::move(use)});
    if (!serial) return;
    // A search still improving the answer is given a second before its best so far is shown.
    QTimer::singleShot(SettleMilliseconds, this, [this, serial] {
        for (Request& request : requests_)
            if (request.serial == serial) request.waited = true;
        Serve();
    });
}

std::optional<Solution> TGameSolutions::BoardAnswer() const { return board_ ? board_->answer : std::nullopt; }

std::optional<Solution> TGameSolutions::StartAnswer() const { return start_ ? start_->answer : std::nullopt; }

bool TGameSolutions::BoardSettled() const { return board_ && board_->settled; }

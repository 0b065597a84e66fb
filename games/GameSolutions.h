#pragma once
// The solver's answers for one game window: for the start position of its problem and for the
// board as it stands. A problem laid out is solved from its start; while the player follows the
// known path the answer comes from that path; a board off it is solved anew; an empty board
// stops the search. Requests that find no answer yet are kept and met when it arrives.

#include "core/Game.h"
#include "core/Hints.h"
#include "core/Solver.h"

#include <QObject>
#include <functional>
#include <optional>

class TGameSolutions : public QObject {
    Q_OBJECT
public:
    using Use = std::function<void(const qx::Solution&)>;

    // Follows `game`, the model of the window `parent`; requests are dropped when it is hidden.
    TGameSolutions(QWidget* parent, const qx::Game& game);
    ~TGameSolutions() override;

    // Looks at the game again after any operation; cheap when the board did not change.
    void Follow();

    // `use` gets the answer for the board as it stands as soon as one names a swap or says that
    // none completes it: at once, or when it arrives, unless the board changed meanwhile.
    void WhenHintReady(Use use);
    // `use` gets the answer for the problem's start or for the board (`subject`): once proven,
    // impossible or searched to the end, or the best after a second of searching.
    void WhenSettled(qx::ShortestSubject subject, Use use);

    // The answer known so far for the board as it stands, and whether it can still improve.
    std::optional<qx::Solution> BoardAnswer() const;
    // The answer known so far for the start position of the problem.
    std::optional<qx::Solution> StartAnswer() const;
    bool BoardSettled() const;
    // A search of this window runs or waits.
    bool Searching() const { return job_ != 0; }

    // How long a request for a settled answer waits for a search that is still improving it.
    static constexpr int SettleMilliseconds = 1000;

signals:
    // An answer arrived (tests wait for it).
    void Answered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Known {
        qx::Position position;
        std::optional<qx::Solution> answer;
        bool settled = false;  // proven, impossible, or searched until the deadline
    };
    // Where the board's answer comes from: along the path of the start's answer, or of the last
    // position that was solved anew (the board itself, or one it lies on the path of).
    enum class Source { Start, Own };
    struct Request {
        bool problem = false;  // for the start's answer, not the board's
        qx::Position position;
        Use use;
        bool hint = false;  // needs a swap, not a settled figure
        quint64 serial = 0;
        bool waited = false;  // has given the search its second
    };

    // What a request asks of: the start or the board, while it is still that position.
    const Known* Target(const Request& request) const;
    // The answer that a search of `position` improves.
    Known* Searched(const qx::Position& position);
    // The board's answer along a known path; a board off every known path is to be solved anew.
    void DeriveBoard();
    // The board's answer along the path of `from`'s answer, if the board lies on it.
    bool Along(const std::optional<Known>& from);
    // Starts, keeps or stops the search for what the window needs now.
    void Search();
    void Stop();
    void Received(quint64 job, const qx::Solution& answer, bool done);
    // Keeps `request` (met at once when it can be); its serial number, 0 when its position is gone.
    quint64 Add(Request request);
    // Meets the requests that an answer now allows; drops those whose position went.
    void Serve();
    bool Ready(const Request& request, const Known& known) const;

    const qx::Game& game_;
    std::optional<Known> start_;
    std::optional<Known> own_;
    std::optional<Known> board_;
    Source boardSource_ = Source::Own;
    qx::Position searched_;
    quint64 job_ = 0;
    std::vector<Request> requests_;
    quint64 lastRequest_ = 0;
};

#pragma once
// The one thread besides the user-interface thread: it runs the solver on one position at a time.
// A new job stops the one that runs; each better answer, and the last, is handed back on the
// user-interface thread. The user-interface thread never waits for a search: it only ever takes
// the lock to hand over or withdraw a job, which the solving thread holds just as briefly.

#include "core/Solver.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

class TSolverWorker : public QObject {
    Q_OBJECT
public:
    // How long a position is searched before its best answer stands.
    static constexpr std::chrono::seconds WorkPerPosition{20};

    // What a reply brings: a better answer while the search goes on, the last answer of a search
    // that ended (proven, or out of time), or the best answer of a search that was stopped.
    enum class Report { Better, Done, Stopped };
    using Reply = std::function<void(quint64 job, const qx::Solution& answer, Report report)>;

    explicit TSolverWorker(QObject* parent = nullptr);
    // Stops the search and joins the thread; a search returns promptly once told to stop.
    ~TSolverWorker() override;

    // The worker of the program, made on first use; it goes with the application object.
    static TSolverWorker& Shared();

    // Solves `position` instead of whatever runs or waits (which is stopped and told so).
    // `reply` runs on the user-interface thread, only while `receiver` lives.
    quint64 Submit(const qx::Position& position, QObject* receiver, Reply reply);
    // Stops `job` if it still runs or waits; its replies stop at once.
    void Cancel(quint64 job);
    // How long the positions submitted from now on are searched (tests settle sooner).
    void SetWorkPerPosition(qx::SolverClock::duration work) { work_ = work; }

private:
    struct Job {
        quint64 id = 0;
        qx::Position position;
        qx::SolverClock::duration work{};
    };
    struct Receiver {
        QPointer<QObject> receiver;
        Reply reply;
    };

    void Run(const std::stop_token& quit);
    // From the solving thread: the answer travels to the user-interface thread.
    void Post(quint64 job, const qx::Solution& answer, Report report);
    void Deliver(quint64 job, const qx::Solution& answer, Report report);

    std::mutex mutex_;  // guards waiting_, running_ and runningId_
    std::condition_variable_any wake_;
    std::optional<Job> waiting_;
    std::stop_source running_;
    quint64 runningId_ = 0;

    // Solving thread only: the 9-cell distance tables, built once and kept for every later position.
    qx::SolverMemory memory_;

    // User-interface thread only.
    quint64 lastId_ = 0;
    qx::SolverClock::duration work_ = WorkPerPosition;
    std::map<quint64, Receiver> receivers_;

    std::jthread thread_;  // last: it starts once everything above exists
};

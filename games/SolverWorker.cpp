#include "games/SolverWorker.h"

#include <QCoreApplication>

using namespace qx;

TSolverWorker::TSolverWorker(QObject* parent)
    : QObject(parent), thread_([this](const std::stop_token& quit) { Run(quit); })
{
}

TSolverWorker::~TSolverWorker()
{
    {
        const std::lock_guard lock(mutex_);
        running_.request_stop();
        waiting_.reset();
    }
    thread_.request_stop();
    wake_.notify_all();
    thread_.join();
    // Replies still on their way are dropped with this object.
}

TSolverWorker& TSolverWorker::Shared()
{
    static QPointer<TSolverWorker> shared;
    if (!shared) {
        shared = new TSolverWorker(QCoreApplication::instance());
        // The event loop ends before the windows go: stop searching at once.
        if (QCoreApplication* app = QCoreApplication::instance())
            connect(app, &QCoreApplication::aboutToQuit, shared, [worker = shared.data()] {
                const std::lock_guard lock(worker->mutex_);
                worker->running_.request_stop();
                worker->waiting_.reset();
            });
    }
    return *shared;
}

quint64 TSolverWorker::Submit(const Position& position, QObject* receiver, Reply reply)
{
    const quint64 id = ++lastId_;
    std::optional<Job> replaced;
    {
        const std::lock_guard lock(mutex_);
        running_.request_stop();
        replaced = std::move(waiting_);
        waiting_ = Job{.id = id, .position = position, .work = work_};
    }
    wake_.notify_one();
    receivers_[id] = {receiver, std::move(reply)};
    // A job that never started hears that it was stopped, as one that was running does.
    if (replaced) Post(replaced->id, Solution{}, Report::Stopped);
    return id;
}

void TSolverWorker::Cancel(quint64 job)
{
    receivers_.erase(job);
    const std::lock_guard lock(mutex_);
    if (waiting_ && waiting_->id == job) waiting_.reset();
    if (runningId_ == job) running_.request_stop();
}

void TSolverWorker::Run(const std::stop_token& quit)
{
    while (true) {
        Job job;
        std::stop_token stop;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, quit, [this] { return waiting_.has_value(); })) return;
            job = std::move(*waiting_);
            waiting_.reset();
            running_ = std::stop_source();
            runningId_ = job.id;
            stop = running_.get_token();
        }
        const auto deadline = SolverClock::now() + job.work;
        const Solution answer = Solve(
            job.position, stop, deadline,
            [this, id = job.id](const Solution& better) { Post(id, better, Report::Better); }, &memory_);
        Post(job.id, answer, stop.stop_requested() ? Report::Stopped : Report::Done);
        const std::lock_guard lock(mutex_);
        runningId_ = 0;
    }
}

void TSolverWorker::Post(quint64 job, const Solution& answer, Report report)
{
    // Queued to this object, which lives on the user-interface thread and outlives the thread.
    QMetaObject::invokeMethod(
        this, [this, job, answer, report] { Deliver(job, answer, report); }, Qt::QueuedConnection);
}

void TSolverWorker::Deliver(quint64 job, const Solution& answer, Report report)
{
    const auto found = receivers_.find(job);
    if (found == receivers_.end()) return;
    const Receiver receiver = found->second;
    if (report != Report::Better || !receiver.receiver) receivers_.erase(found);
    if (receiver.receiver && receiver.reply) receiver.reply(job, answer, report);
}

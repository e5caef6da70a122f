// Runs the solver away from the window and hands its answers back on the window's thread.
#include "solvertask.h"

#include <QMetaObject>

SolverTask::SolverTask(QObject* parent) : QObject(parent) {}

SolverTask::~SolverTask() {
    cancel();
}

void SolverTask::cancel() {
    ++m_request;
    m_busy = false;
    if (m_stop)
        m_stop->store(true);
    // A stopped search ends within a thousand nodes, well inside a frame.
    if (m_worker.joinable())
        m_worker.join();
    m_stop.reset();
}

void SolverTask::start(std::function<void(Solver&, const std::atomic<bool>&)> work) {
    cancel();
    m_busy = true;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_worker = std::thread([work = std::move(work), stop = m_stop] {
        // The table of a search grows with it; a solver per request frees it when done.
        Solver solver;
        solver.setStop(stop.get());
        work(solver, *stop);
    });
}

void SolverTask::solve(const Solver::Position& position,
                       std::function<void(const Solver::Result&)> done) {
    const std::uint64_t request = m_request + 1;
    start([this, position, done = std::move(done), request](Solver& solver,
                                                            const std::atomic<bool>& stop) {
        Solver::Result result = solver.solve(position);
        if (stop.load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, done, request, result = std::move(result)] {
                if (request != m_request)
                    return;
                m_busy = false;
                done(result);
            },
            Qt::QueuedConnection);
    });
}

void SolverTask::findWinnableDeal(std::uint32_t seed, std::function<void(std::uint32_t)> done) {
    const std::uint64_t request = m_request + 1;
    start([this, seed, done = std::move(done), request](Solver& solver,
                                                        const std::atomic<bool>& stop) {
        const std::optional<std::uint32_t> found = firstWinnableDeal(seed, solver, &stop);
        if (!found)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, done, request, number = *found] {
                if (request != m_request)
                    return;
                m_busy = false;
                done(number);
            },
            Qt::QueuedConnection);
    });
}

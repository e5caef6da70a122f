// Runs the solver away from the window: a hint for a position, or the next winnable deal, worked
// out on a thread of its own and handed back on the window's thread.
#pragma once

#include "solver.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class SolverTask : public QObject {
    Q_OBJECT

public:
    explicit SolverTask(QObject* parent = nullptr);
    ~SolverTask() override;

    // Each request replaces the one before: its answer is dropped and its search stopped.
    // `done` runs on this object's thread, once the answer is there.
    void solve(const Solver::Position& position, std::function<void(const Solver::Result&)> done);
    // The first winnable deal of the random sequence from `seed` (see firstWinnableDeal).
    void findWinnableDeal(std::uint32_t seed, std::function<void(std::uint32_t number)> done);
    void cancel();
    bool busy() const { return m_busy; }

private:
    void start(std::function<void(Solver&, const std::atomic<bool>&)> work);

    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::uint64_t m_request = 0;
    bool m_busy = false;
};

#pragma once

#include "server/http/metrics.h"

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace http {

// Threads for connections. cpp-httplib gives each connection a task that lasts as long as the
// connection, keep-alive waits included: with a fixed pool, idle keep-alive clients would hold
// every thread. This queue starts another thread whenever none is free, up to a bound, and
// keeps it for the next connection; a waiting connection costs a sleeping thread, no database
// connection.
class ConnectionQueue : public httplib::TaskQueue {
public:
    // metrics, when given, counts the connections open (queued or served).
    ConnectionQueue(size_t maxThreads, Metrics* metrics)
        : m_maxThreads(maxThreads), m_metrics(metrics) {}
    ~ConnectionQueue() override { shutdown(); }

    void enqueue(std::function<void()> task) override;
    void shutdown() override; // runs what is queued, then joins

private:
    void Loop();

    const size_t m_maxThreads;
    Metrics* const m_metrics;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_threads;
    size_t m_idle = 0;
    bool m_stopping = false;
};

// A fixed number of threads, each with its own database connection, that run the calls the
// connection threads hand them; the database sees no more connections than there are workers.
class WorkerPool {
public:
    explicit WorkerPool(size_t threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Runs work on a worker and returns when it is done; rethrows what it threw.
    void Run(const std::function<void()>& work);

private:
    struct Job {
        const std::function<void()>* work;
        std::promise<void> done;
    };
    void Loop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job*> m_jobs;
    std::vector<std::thread> m_threads;
    bool m_stopping = false;
};

} // namespace http

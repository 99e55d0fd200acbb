#include "server/http/pools.h"

namespace http {

void ConnectionQueue::enqueue(std::function<void()> task) {
    if (m_metrics != nullptr)
        m_metrics->ConnectionOpened();
    const std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
    if (m_idle < m_tasks.size() && m_threads.size() < m_maxThreads)
        m_threads.emplace_back([this] { Loop(); });
    else
        m_wake.notify_one();
}

void ConnectionQueue::shutdown() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void ConnectionQueue::Loop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
        --m_idle;
        if (m_tasks.empty())
            return; // stopping, and nothing left to run
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task(); // serves the connection until it closes
        if (m_metrics != nullptr)
            m_metrics->ConnectionClosed();
        lock.lock();
    }
}

WorkerPool::WorkerPool(size_t threads) {
    for (size_t i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { Loop(); });
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void WorkerPool::Run(const std::function<void()>& work) {
    Job job{&work, {}};
    std::future<void> done = job.done.get_future();
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(&job);
    }
    m_wake.notify_one();
    done.get();
}

void WorkerPool::Loop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job* job = m_jobs.front();
        m_jobs.pop_front();
        lock.unlock();
        try {
            (*job->work)();
            job->done.set_value();
        } catch (...) {
            job->done.set_exception(std::current_exception());
        }
        lock.lock();
    }
}

} // namespace http

#include "handlethread.h"

#include "quietdispatcher.h"

HandleThread::HandleThread() : m_thread([this] { Loop(); }) {}

HandleThread::~HandleThread()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void HandleThread::Run(const std::function<void()> &work)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_work = &work;
    m_wake.notify_all();
    m_wake.wait(lock, [this] { return m_work == nullptr; });
}

void HandleThread::Loop()
{
    QuietDispatcher::EnsureForThisThread();
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_work; });
        if (m_work) {
            const std::function<void()> *work = m_work;
            lock.unlock();
            (*work)();
            lock.lock();
            m_work = nullptr;
            m_wake.notify_all();
        } else if (m_stop) {
            return;
        }
    }
}

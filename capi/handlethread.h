#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The one thread on which a camera's serial port lives. Qt's port objects
// belong to the thread that made them, while an integrator may call one
// handle from any thread in turn; so every call is run here and waited for.
// The caller blocks, and only the caller.
class HandleThread
{
public:
    HandleThread();
    ~HandleThread();

    HandleThread(const HandleThread &) = delete;
    HandleThread &operator=(const HandleThread &) = delete;

    // Runs work on the handle's thread and returns when it is done.
    void Run(const std::function<void()> &work);

private:
    void Loop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    const std::function<void()> *m_work = nullptr;
    bool m_stop = false;
    std::thread m_thread;
};

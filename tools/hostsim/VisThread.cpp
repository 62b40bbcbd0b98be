#include "tools/hostsim/VisThread.h"

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/MessagePump.h"

namespace zor::hostsim {

VisThread::VisThread()
    : wakeEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      doneEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!wakeEvent || !doneEvent) {
        throw HostError("cannot create the visualization thread's events");
    }
    thread = UniqueHandle(CreateThread(nullptr, 0, &VisThread::entry, this, 0, &id));
    if (!thread) {
        throw HostError("cannot start the visualization thread");
    }
    // The thread signals once its message queue exists, so messages posted to it are kept.
    waitPumping(doneEvent.get(), INFINITE);
}

VisThread::~VisThread() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    SetEvent(wakeEvent.get());
    waitPumping(thread.get(), INFINITE);
}

void VisThread::run(const std::function<void()>& task) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        pending = task;
        failure = nullptr;
    }
    SetEvent(wakeEvent.get());
    waitPumping(doneEvent.get(), INFINITE);
    std::exception_ptr error;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        error = failure;
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

DWORD WINAPI VisThread::entry(void* self) {
    static_cast<VisThread*>(self)->loop();
    return 0;
}

void VisThread::loop() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(doneEvent.get());
    for (;;) {
        if (!waitPumping(wakeEvent.get(), INFINITE)) {
            continue;
        }
        std::function<void()> task;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (stopping) {
                return;
            }
            task.swap(pending);
        }
        try {
            if (task) {
                task();
            }
            // What the task made happen is handled before the host's next step.
            drainMessages();
        } catch (...) {
            const std::lock_guard<std::mutex> lock(mutex);
            failure = std::current_exception();
        }
        SetEvent(doneEvent.get());
    }
}

}  // namespace zor::hostsim

#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <mutex>

#include "tools/hostsim/UniqueHandle.h"

namespace zor::hostsim {

// The host's visualization thread: it calls Init, Render and Quit and owns every window the
// plug-in creates, pumping their messages whenever it has nothing else to do.
class VisThread {
  public:
    VisThread();
    // Ends the thread; windows it still owns are destroyed with it.
    ~VisThread();
    VisThread(const VisThread&) = delete;
    VisThread& operator=(const VisThread&) = delete;

    // Runs the task on the visualization thread and returns when it is done, pumping the
    // calling thread's messages meanwhile. An exception of the task is thrown here.
    void run(const std::function<void()>& task);
    DWORD threadId() const { return id; }

  private:
    static DWORD WINAPI entry(void* self);
    void loop();

    UniqueHandle wakeEvent;
    UniqueHandle doneEvent;
    UniqueHandle thread;
    DWORD id = 0;
    std::mutex mutex;
    std::function<void()> pending;
    bool stopping = false;
    std::exception_ptr failure;
};

}  // namespace zor::hostsim

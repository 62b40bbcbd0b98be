#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "tools/hostsim/UniqueHandle.h"

namespace zor::hostsim {

// Finds every message box and dialog this process shows, prints it and answers it from the
// queues the script fills. It runs on a thread of its own and polls, so it works while the
// thread that shows the box sits in the box's modal loop.
class BoxWatcher {
  public:
    BoxWatcher();
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    // The button for the next box: Yes, No, Cancel, OK or a button's text.
    void queueAnswer(std::string button);
    // A step inside the next dialog that does not close it (see DialogSteps.h), in order with
    // the answers.
    void queueStep(std::string step);
    // Text for the edit control of the next answered dialog that has one; "\n" stands for
    // CR LF.
    void queueDialogText(std::string text);
    // A box was left unanswered (or its answer named no button of it).
    bool sawUnanswered() const { return unanswered; }

  private:
    struct Queued {
        bool isStep;       // a dialog step, else the button that answers the box
        std::string text;
    };
    struct Answers {
        std::deque<Queued> buttons;
        std::deque<std::string> texts;
    };

    static DWORD WINAPI entry(void* self);
    void watch();
    void poll();
    void handle(HWND box, DWORD firstSeen);
    bool answer(HWND box, const std::string& description, const std::string& button);
    void giveUp(HWND box, const std::string& description);

    std::mutex mutex;
    Answers answers;
    std::map<HWND, DWORD> seen;  // open boxes and the tick at which each was first seen
    std::atomic<bool> unanswered{false};
    UniqueHandle stopEvent;
    UniqueHandle thread;
};

}  // namespace zor::hostsim

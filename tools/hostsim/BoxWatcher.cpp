#include "tools/hostsim/BoxWatcher.h"

#include <cctype>
#include <utility>
#include <vector>

#include "tools/hostsim/DialogSteps.h"
#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/Output.h"

namespace zor::hostsim {
namespace {

constexpr DWORD kPollMs = 25;
constexpr DWORD kSettleMs = 150;
constexpr DWORD kUnansweredCloseMs = 5000;
constexpr UINT kAnswerTimeoutMs = 10000;
constexpr const char* kDialogClass = "#32770";
// The control id a message box gives its text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr std::size_t kMaxTextRead = 8192;

struct StandardButton {
    const char* name;
    int id;
};
constexpr StandardButton kStandardButtons[] = {
    {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},       {"no", IDNO},
    {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE},
};

std::string className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return toUtf8(name);
}

// Read through a message with a timeout: the box belongs to another thread of the process.
std::string windowText(HWND window) {
    std::vector<wchar_t> buffer(kMaxTextRead, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL, kAnswerTimeoutMs,
                             &copied)) {
        return std::string();
    }
    return toUtf8(std::wstring_view(buffer.data(), copied < buffer.size() ? copied : 0));
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// A button's text as a user reads it: no '&' mnemonic marks.
std::string buttonLabel(HWND button) {
    std::string label;
    for (char c : windowText(button)) {
        if (c != '&') {
            label += c;
        }
    }
    return lowerCase(label);
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

bool isTextStatic(HWND control) {
    if (lowerCase(className(control)) != "static") {
        return false;
    }
    const LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
           type == SS_LEFTNOWORDWRAP;
}

// A message box's text is its text control; another dialog's is its first static text.
std::string boxText(HWND box) {
    if (HWND text = GetDlgItem(box, kMessageBoxTextId); text != nullptr) {
        return windowText(text);
    }
    for (HWND child : childrenOf(box)) {
        if (isTextStatic(child)) {
            return windowText(child);
        }
    }
    return std::string();
}

HWND findButton(HWND box, const std::string& wanted) {
    const std::string name = lowerCase(wanted);
    for (HWND child : childrenOf(box)) {
        if (lowerCase(className(child)) == "button" && IsWindowVisible(child) &&
            buttonLabel(child) == name) {
            return child;
        }
    }
    for (const StandardButton& standard : kStandardButtons) {
        if (name == standard.name) {
            return GetDlgItem(box, standard.id);
        }
    }
    return nullptr;
}

HWND findEdit(HWND box) {
    for (HWND child : childrenOf(box)) {
        if (lowerCase(className(child)).find("edit") != std::string::npos) {
            return child;
        }
    }
    return nullptr;
}

// "\n" in a script stands for a line break, CR LF in an edit control.
std::string withLineBreaks(const std::string& text) {
    std::string converted;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            converted += "\r\n";
            ++i;
        } else {
            converted += text[i];
        }
    }
    return converted;
}

bool isOurBox(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() && IsWindowVisible(window) &&
           className(window) == kDialogClass;
}

BOOL CALLBACK collectBox(HWND window, LPARAM boxes) {
    if (isOurBox(window)) {
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    }
    return TRUE;
}

bool responds(HWND box) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, kPollMs, &ignored) != 0;
}

void pressButton(HWND box, HWND button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace

BoxWatcher::BoxWatcher() : stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!stopEvent) {
        throw HostError("cannot create the box watcher's event");
    }
    thread = UniqueHandle(CreateThread(nullptr, 0, &BoxWatcher::entry, this, 0, nullptr));
    if (!thread) {
        throw HostError("cannot start the box watcher");
    }
}

BoxWatcher::~BoxWatcher() {
    SetEvent(stopEvent.get());
    WaitForSingleObject(thread.get(), INFINITE);
}

void BoxWatcher::queueAnswer(std::string button) {
    const std::lock_guard<std::mutex> lock(mutex);
    answers.buttons.push_back(Queued{false, std::move(button)});
}

void BoxWatcher::queueStep(std::string step) {
    const std::lock_guard<std::mutex> lock(mutex);
    answers.buttons.push_back(Queued{true, std::move(step)});
}

void BoxWatcher::queueDialogText(std::string text) {
    const std::lock_guard<std::mutex> lock(mutex);
    answers.texts.push_back(std::move(text));
}

DWORD WINAPI BoxWatcher::entry(void* self) {
    static_cast<BoxWatcher*>(self)->watch();
    return 0;
}

void BoxWatcher::watch() {
    while (WaitForSingleObject(stopEvent.get(), kPollMs) == WAIT_TIMEOUT) {
        poll();
    }
}

void BoxWatcher::poll() {
    std::vector<HWND> boxes;
    EnumWindows(collectBox, reinterpret_cast<LPARAM>(&boxes));
    for (auto it = seen.begin(); it != seen.end();) {
        it = IsWindow(it->first) ? std::next(it) : seen.erase(it);
    }
    for (HWND box : boxes) {
        const auto inserted = seen.emplace(box, GetTickCount());
        // A box already answered waits here until its thread has closed it.
        if (inserted.first->second != 0) {
            handle(box, inserted.first->second);
        }
    }
}

void BoxWatcher::handle(HWND box, DWORD firstSeen) {
    // A box with a modal dialog of its own in front waits, and its time starts again after.
    if (!IsWindowEnabled(box)) {
        seen[box] = GetTickCount();
        return;
    }
    Queued next{false, std::string()};
    {
        const std::lock_guard<std::mutex> lock(mutex);
        // A dialog step waits while the box's thread is busy (a dialog of its own closing).
        if (!answers.buttons.empty() && answers.buttons.front().isStep && !responds(box)) {
            return;
        }
        // An answer waits until the box has had time to take the input queued before it opened
        // (the key-ups of the keys that opened it); pressed sooner, the box would close first
        // and those keys would reach the window behind it, as a user's never do.
        if (!answers.buttons.empty() && !answers.buttons.front().isStep &&
            (GetTickCount() - firstSeen < kSettleMs || !responds(box))) {
            return;
        }
        if (!answers.buttons.empty()) {
            next = std::move(answers.buttons.front());
            answers.buttons.pop_front();
        }
    }
    if (next.isStep) {
        if (!runDialogStep(box, next.text)) {
            unanswered = true;
        }
        seen[box] = GetTickCount();
        return;
    }
    const std::string& button = next.text;
    const std::string description =
        "box \"" + printableText(windowText(box)) + "\" \"" + printableText(boxText(box)) + "\"";
    if (!button.empty()) {
        if (!answer(box, description, button)) {
            giveUp(box, description);
        }
        seen[box] = 0;
    } else if (GetTickCount() - firstSeen >= kUnansweredCloseMs) {
        giveUp(box, description);
        seen[box] = 0;
    }
}

bool BoxWatcher::answer(HWND box, const std::string& description, const std::string& button) {
    HWND pressed = findButton(box, button);
    if (pressed == nullptr) {
        std::fprintf(stderr, "hostsim: the box has no button \"%s\"\n", button.c_str());
        return false;
    }
    if (HWND edit = findEdit(box); edit != nullptr) {
        std::string text;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (!answers.texts.empty()) {
                text = std::move(answers.texts.front());
                answers.texts.pop_front();
            }
        }
        if (!text.empty()) {
            const std::wstring converted = toWide(withLineBreaks(text));
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(converted.c_str()),
                                SMTO_NORMAL, kAnswerTimeoutMs, &ignored);
        }
    }
    // Printed before the press, so that what the plug-in does next comes after it.
    printLine(description + " -> " + button);
    pressButton(box, pressed);
    return true;
}

void BoxWatcher::giveUp(HWND box, const std::string& description) {
    unanswered = true;
    printLine(description + " -> unanswered");
    // Cancel ends every message box and dialog that has a way out; closing is the fallback.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageW(box, WM_CLOSE, 0, 0);
}

}  // namespace zor::hostsim

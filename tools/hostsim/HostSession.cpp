#include "tools/hostsim/HostSession.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

#include "tools/hostsim/EmbedFrame.h"
#include "tools/hostsim/GdiCounter.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/MessagePump.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/PluginWindows.h"
#include "tools/hostsim/Probes.h"
#include "tools/hostsim/Screenshot.h"
#include "tools/hostsim/WavAudioSource.h"

namespace zor::hostsim {
namespace {

// A plug-in offering more modules than this is taken to be faulty rather than listed forever.
constexpr int kMaxModulesListed = 16;
constexpr int kSampleRate = 44100;
// The step of `run` when the module asks for no pause between render calls.
constexpr int kDefaultDelayMs = 25;

std::string textOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

std::string hexNumber(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", static_cast<unsigned>(value));
    return buffer;
}

std::string moduleLine(int which, const winampVisModule& module) {
    return "module " + std::to_string(which) +
           " description=" + printableText(textOf(module.description)) +
           " latencyMs=" + std::to_string(module.latencyMs) +
           " delayMs=" + std::to_string(module.delayMs) +
           " spectrumNch=" + std::to_string(module.spectrumNch) +
           " waveformNch=" + std::to_string(module.waveformNch);
}

// IPC answers that hand out text are pointers into the host's memory.
LRESULT textAnswer(const std::string& text) {
    return reinterpret_cast<LRESULT>(text.c_str());
}
LRESULT textAnswer(const std::wstring& text) {
    return reinterpret_cast<LRESULT>(text.c_str());
}

// Copies an answer into the plug-in's buffer of retlen characters, NUL included.
template <typename Char>
void copyAnswer(const std::basic_string<Char>& text, Char* buffer, std::size_t retlen) {
    const std::size_t length = std::min(text.size(), retlen - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = Char{};
}

// Paths and metadata keys are matched as the host matches them: without regard to case.
std::string foldCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

HostSession::HostSession(HostOptions hostOptions)
    : options(std::move(hostOptions)),
      mainWindow(*this),
      audio(makeSongAudioSource(makeSineSource())) {
    if (options.pluginPath.empty()) {
        options.pluginPath = defaultPluginPath();
    }
    useModernSkin(options.modernSkin);
}

HostSession::~HostSession() {
    try {
        if (initCalled && visModule != nullptr && visModule->Quit != nullptr) {
            visThread().run([this] { visModule->Quit(visModule); });
        }
    } catch (...) {
        // Closing down: nothing is left to report to.
        static_cast<void>(0);
    }
}

void HostSession::addSong(const std::string& path, const std::string& title) {
    playerState.addSong(path, title.empty() ? fileNameOf(path) : title);
}

void HostSession::setMeta(const std::string& path, const std::string& key,
                          const std::string& value) {
    metadata[{foldCase(path), foldCase(key)}] = value;
}

void HostSession::select(int index) {
    playerState.select(index);
    const Player::Entry* entry = playerState.entryAt(index);
    setCaption(entry == nullptr
                   ? kHostCaption
                   : std::to_string(index + 1) + ". " + entry->title + " - " + kHostCaption);
}

// A host without the wide requests has an ANSI caption too: what its code page cannot hold
// reads as '?', as its titles do.
void HostSession::setCaption(const std::string& caption) {
    mainWindow.setCaption(answersWide() ? caption : fromAnsi(toAnsi(caption)));
}

PluginLibrary& HostSession::plugin() {
    if (!library) {
        library = std::make_unique<PluginLibrary>(options.pluginPath);
    }
    return *library;
}

winampVisModule& HostSession::module() {
    if (visModule == nullptr) {
        winampVisHeader& header = *plugin().header();
        winampVisModule* found = header.getModule == nullptr ? nullptr : header.getModule(0);
        if (found == nullptr) {
            throw HostError("the plug-in offers no module 0");
        }
        found->hwndParent = mainWindow.handle();
        found->hDllInstance = plugin().instance();
        found->sRate = kSampleRate;
        found->nCh = kVisChannels;
        visModule = found;
    }
    return *visModule;
}

VisThread& HostSession::visThread() {
    if (!vis) {
        vis = std::make_unique<VisThread>();
    }
    return *vis;
}

void HostSession::printHeader() {
    const winampVisHeader& header = *plugin().header();
    printLine("header version=" + hexNumber(header.version) +
              " description=" + printableText(textOf(header.description)));
    if (header.getModule == nullptr) {
        throw HostError("the header has no getModule function");
    }
    for (int which = 0; which < kMaxModulesListed; ++which) {
        const winampVisModule* found = header.getModule(which);
        if (found == nullptr) {
            printLine("module " + std::to_string(which) + " null");
            return;
        }
        printLine(moduleLine(which, *found));
    }
    throw HostError("getModule still answers after " + std::to_string(kMaxModulesListed) +
                    " modules");
}

void HostSession::init() {
    if (initCalled) {
        throw HostError("init: the plug-in was already initialised");
    }
    winampVisModule& m = module();
    if (m.Init == nullptr) {
        throw HostError("init: the module has no Init function");
    }
    initCalled = true;
    int result = 0;
    visThread().run([&] { result = m.Init(&m); });
    printLine("init " + std::to_string(result));
    settle();
}

void HostSession::config() {
    winampVisModule& m = module();
    if (m.Config == nullptr) {
        throw HostError("config: the module has no Config function");
    }
    // From the host's own thread, as its preferences call it; the plug-in's windows stay on
    // the visualization thread, which keeps pumping meanwhile.
    m.Config(&m);
    settle();
}

// What the main thread hands the live render loop for one step.
struct HostSession::LiveStep {
    int advanceMs = 0;
    std::string songPath;
    int positionMs = 0;
    bool playing = false;
};

void HostSession::callConfig() {
    if (visModule == nullptr || visModule->Config == nullptr) {
        throw HostError("config: the module has no Config function");
    }
    visModule->Config(visModule);
}

void HostSession::configLive(int ms, int songMs) {
    requireRunning("config-live");
    winampVisModule& m = module();
    if (m.Config == nullptr || m.Render == nullptr) {
        throw HostError("config-live: the module has no Config or Render function");
    }
    liveSongMs = songMs;
    liveSinceSongMs = 0;
    liveConfigDone = false;
    liveRendering = true;
    const int step = renderStepMs();
    HWND host = mainWindow.handle();
    // The main thread waits for the loop pumping its messages: it calls Config when it takes
    // the posted request, and answers each step's request to move the player on meanwhile.
    PostMessageA(host, kHostConfigMessage, 0, 0);
    visThread().run([&] {
        int done = 0;
        while (done < ms || !liveConfigDone) {
            LiveStep next;
            next.advanceMs = std::min(step, std::max(ms - done, 0));
            SendMessageA(host, kHostStepMessage, 0, reinterpret_cast<LPARAM>(&next));
            done += next.advanceMs;
            audio->fill(next.songPath, next.positionMs, next.playing,
                        VisData{m.spectrumData, m.waveformData});
            callRender(m);
            waitPumping(nullptr, static_cast<DWORD>(step));  // the host's pause between calls
        }
    });
    liveRendering = false;
    settle();
}

void HostSession::configInRender() {
    requireRunning("config-in-render");
    configOnNextRequest = true;
    renderOnce();
    configOnNextRequest = false;  // left unused by a render call that asked nothing
    settle();
}

void HostSession::liveStep(LiveStep& step) {
    playerState.advance(step.advanceMs);
    if (liveSongMs > 0 && !playerState.playlist().empty()) {
        liveSinceSongMs += step.advanceMs;
        if (liveSinceSongMs >= liveSongMs) {
            liveSinceSongMs -= liveSongMs;
            const auto count = static_cast<int>(playerState.playlist().size());
            select((playerState.listPosition() + 1) % count);
        }
    }
    const Player::Entry* entry = playerState.entryAt(playerState.listPosition());
    step.songPath = entry == nullptr ? std::string() : entry->path;
    step.positionMs = playerState.clockMs();
    step.playing = playerState.playingState() == 1;
}

LRESULT HostSession::hostPrivate(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kHostStepMessage:
            liveStep(*reinterpret_cast<LiveStep*>(lParam));
            return 0;
        case kHostConfigMessage:
            callConfig();
            liveConfigDone = true;
            return 0;
        case kHostSelectMessage:
            select(static_cast<int>(wParam));
            return 0;
        default:
            return 0;
    }
}

void HostSession::callRender(winampVisModule& m) {
    visRendering = true;
    m.Render(&m);
    visRendering = false;
}

void HostSession::noteMainThreadRender() {
    // A request the plug-in makes on this thread itself arrives without being sent from
    // another thread.
    if (InSendMessage() != FALSE || !(visRendering || liveRendering) || overlapSeen) {
        return;
    }
    overlapSeen = true;
    printLine(
        "overlap: a render call on the host's main thread while the visualization thread "
        "renders");
}

int HostSession::renderStepMs() {
    return visModule->delayMs > 0 ? visModule->delayMs : kDefaultDelayMs;
}

void HostSession::renderOnce() {
    winampVisModule* m = visModule;
    const Player::Entry* entry = playerState.entryAt(playerState.listPosition());
    const std::string songPath = entry == nullptr ? std::string() : entry->path;
    const int positionMs = playerState.clockMs();
    const bool playing = playerState.playingState() == 1;
    visThread().run([&] {
        audio->fill(songPath, positionMs, playing, VisData{m->spectrumData, m->waveformData});
        callRender(*m);
    });
}

void HostSession::run(int ms) {
    requireRunning("run");
    if (visModule->Render == nullptr) {
        throw HostError("run: the module has no Render function");
    }
    const int step = renderStepMs();
    const DWORD start = GetTickCount();
    int done = 0;
    while (done < ms) {
        const int advance = std::min(step, ms - done);
        playerState.advance(advance);
        done += advance;
        renderOnce();
        settle();
        if (options.realtime) {
            const DWORD due = start + static_cast<DWORD>(done);
            const DWORD now = GetTickCount();
            if (static_cast<LONG>(due - now) > 0) {
                waitPumping(nullptr, due - now);
            }
        }
    }
}

void HostSession::quit() {
    if (initCalled && visModule->Quit != nullptr) {
        visThread().run([this] { visModule->Quit(visModule); });
    }
    initCalled = false;
    vis.reset();
    visModule = nullptr;
    visWindow = nullptr;
    library.reset();
    printLine("quit");
}

void HostSession::requireRunning(const char* command) const {
    if (!initCalled) {
        throw HostError(std::string(command) + ": the plug-in has not been initialised");
    }
}

void HostSession::bringFrameForward() {
    HWND frame = embeddedFrame();
    if (frame == nullptr || !IsWindow(frame)) {
        return;
    }
    HWND topLevel = GetAncestor(frame, GA_ROOT);
    visThread().run([topLevel, this] {
        HWND foreground = GetForegroundWindow();
        // A box or dialog of the plug-in in front keeps the input; otherwise the frame gets it.
        if (foreground == nullptr ||
            GetWindowThreadProcessId(foreground, nullptr) != vis->threadId()) {
            SetForegroundWindow(topLevel);
            SetActiveWindow(topLevel);
        }
        pumpUntilIdle();
    });
}

void HostSession::key(const KeyPress& pressed) {
    requireRunning("key");
    bringFrameForward();
    sendKey(pressed);
    visThread().run(pumpUntilIdle);
    settle();
}

void HostSession::click(int controlId, bool doubleClick) {
    requireRunning(doubleClick ? "dblclick" : "click");
    const bool onFrame = controlId == kFrameControl;
    HWND target = onFrame ? embeddedFrame() : controlWithId(visThread().threadId(), controlId);
    if (target == nullptr || !IsWindow(target)) {
        throw HostError((onFrame
                             ? std::string("click: there is no host frame")
                             : "click: the plug-in has no control " + std::to_string(controlId)));
    }
    bringFrameForward();
    // Two commands are two users' clicks: the system must not join them into a double click.
    const DWORD sinceLastClick = GetTickCount() - lastClickTick;
    if (lastClickTick != 0 && sinceLastClick <= GetDoubleClickTime()) {
        waitPumping(nullptr, GetDoubleClickTime() - sinceLastClick + 1);
    }
    if (onFrame) {
        clickFrame(target, doubleClick);
    } else {
        sendClick(clickPointOf(target), doubleClick);
    }
    lastClickTick = GetTickCount();
    visThread().run(pumpUntilIdle);
    settle();
}

void HostSession::moveFrame(int x, int y, int width, int height) {
    requireRunning("moveframe");
    HWND frame = embeddedFrame();
    if (frame == nullptr || !IsWindow(frame)) {
        throw HostError("moveframe: there is no host frame");
    }
    visThread().run([=] {
        SetWindowPos(frame, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        pumpUntilIdle();
    });
    settle();
}

void HostSession::showFrame(bool show) {
    requireRunning(show ? "showframe" : "closeframe");
    HWND frame = embeddedFrame();
    if (frame == nullptr || !IsWindow(frame)) {
        throw HostError("there is no host frame");
    }
    visThread().run([=] {
        if (show) {
            ShowWindow(frame, SW_SHOW);
        } else {
            SendMessageW(frame, WM_CLOSE, 0, 0);
        }
        pumpUntilIdle();
    });
    settle();
}

void HostSession::clickFrame(HWND frame, bool doubleClick) {
    if (const std::optional<POINT> point = uncoveredPointOf(frame)) {
        sendClick(*point, doubleClick);
        return;
    }
    // The plug-in's window fills the frame, so no mouse can reach the frame's own client area;
    // the frame gets the messages of such a click at its centre instead.
    visThread().run([frame, doubleClick] {
        RECT client{};
        GetClientRect(frame, &client);
        const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
        SendMessageW(frame, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessageW(frame, WM_LBUTTONUP, 0, centre);
        if (doubleClick) {
            SendMessageW(frame, WM_LBUTTONDBLCLK, MK_LBUTTON, centre);
            SendMessageW(frame, WM_LBUTTONUP, 0, centre);
        }
    });
}

void HostSession::dump() {
    const DWORD thread = vis ? vis->threadId() : 0;
    for (const std::string& line : dumpVisibleList(thread)) {
        printLine(line);
    }
}

void HostSession::shot(const std::string& path) {
    requireRunning("shot");
    HWND frame = embeddedFrame();
    bringFrameForward();
    visThread().run([frame] {
        if (IsWindow(frame)) {
            RedrawWindow(frame, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        pumpUntilIdle();
    });
    // The X server draws asynchronously; a short pause lets it catch up before the copy.
    waitPumping(nullptr, 100);
    writeWindowShot(frame, path);
    printLine("shot " + path);
}

void HostSession::sleep(int ms) {
    waitPumping(nullptr, static_cast<DWORD>(ms));
}

void HostSession::waitForText(int controlId, const std::string& text) {
    constexpr int kWaitMs = 10000;
    constexpr int kPollMs = 50;
    for (int waited = 0; controlText(controlId).find(text) == std::string::npos;
         waited += kPollMs) {
        if (waited >= kWaitMs) {
            throw HostError("wait: control " + std::to_string(controlId) + " did not show \"" +
                            text + "\" in 10 s; it shows \"" +
                            printableText(controlText(controlId)) + "\"");
        }
        sleep(kPollMs);
    }
    printLine("wait " + std::to_string(controlId) + " " + text);
}

// Counted on the visualization thread between two messages: counted from here, a paint running
// there meanwhile would add the objects it holds for a moment.
void HostSession::printGdi() {
    std::size_t count = 0;
    visThread().run([&count] { count = gdiObjectsLeft(); });
    printLine("gdi " + std::to_string(count));
}

void HostSession::settle() {
    drainMessages();
}

int HostSession::exitStatus() const {
    return boxWatcher.sawUnanswered() || overlapSeen ? kExitRunFailed : kExitOk;
}

const std::string* HostSession::findMeta(const std::string& path, const std::string& key) const {
    const auto found = metadata.find({foldCase(path), foldCase(key)});
    return found == metadata.end() ? nullptr : &found->second;
}

// The ANSI request: its names and its answer are in the ANSI code page.
LRESULT HostSession::answerFileInfo(const extendedFileInfoStruct* request) const {
    if (request == nullptr || request->filename == nullptr || request->metadata == nullptr) {
        return 0;
    }
    const std::string* value = findMeta(fromAnsi(request->filename), fromAnsi(request->metadata));
    if (value == nullptr || request->ret == nullptr || request->retlen == 0) {
        return 0;
    }
    copyAnswer(toAnsi(*value), request->ret, request->retlen);
    return 1;
}

LRESULT HostSession::answerWideFileInfo(const extendedFileInfoStructW* request) const {
    if (request == nullptr || request->filename == nullptr || request->metadata == nullptr) {
        return 0;
    }
    const std::string* value = findMeta(toUtf8(request->filename), toUtf8(request->metadata));
    if (value == nullptr || request->ret == nullptr || request->retlen == 0) {
        return 0;
    }
    copyAnswer(toWide(*value), request->ret, request->retlen);
    return 1;
}

unsigned HostSession::hostVersion() const {
    if (options.oldHost) {
        return kOldHostVersion;
    }
    return options.ansiHost ? kAnsiHostVersion : kHostVersion;
}

LRESULT HostSession::answerPlaylistText(WPARAM index, LPARAM ipc) const {
    const Player::Entry* entry = playerState.entryAt(static_cast<long>(index));
    if (entry == nullptr) {
        return 0;
    }
    switch (ipc) {
        case IPC_GETPLAYLISTFILE:
            return textAnswer(entry->ansiPath);
        case IPC_GETPLAYLISTTITLE:
            return textAnswer(entry->ansiTitle);
        case IPC_GETPLAYLISTFILEW:
            return textAnswer(entry->widePath);
        default:
            return textAnswer(entry->wideTitle);
    }
}

LRESULT HostSession::answerIpc(WPARAM wParam, LPARAM ipc) {
    if (ipc == IPC_GETLISTPOS) {  // the first request of every render call
        noteMainThreadRender();
    }
    if (ipc == IPC_GETOUTPUTTIME && configOnNextRequest) {
        configOnNextRequest = false;
        callConfig();
    }
    switch (ipc) {
        case IPC_ISPLAYING:
            return playerState.playingState();
        case IPC_GETOUTPUTTIME:
            return playerState.outputTime();
        case IPC_JUMPTOTIME:
            printLine("jump " + std::to_string(static_cast<long long>(wParam)));
            playerState.seek(static_cast<int>(wParam));
            return 0;
        case IPC_GETLISTPOS:
            return playerState.listPosition();
        case IPC_GETVERSION:
            return static_cast<LRESULT>(hostVersion());
        case IPC_GETPLAYLISTFILE:
        case IPC_GETPLAYLISTTITLE:
            return answerPlaylistText(wParam, ipc);
        case IPC_GETPLAYLISTFILEW:
        case IPC_GETPLAYLISTTITLEW:
            return answersWide() ? answerPlaylistText(wParam, ipc) : 0;
        case IPC_GET_EXTENDED_FILE_INFO:
            return answerFileInfo(reinterpret_cast<const extendedFileInfoStruct*>(wParam));
        case IPC_GET_EXTENDED_FILE_INFOW:
            return answersWide() ? answerWideFileInfo(
                                       reinterpret_cast<const extendedFileInfoStructW*>(wParam))
                                 : 0;
        case IPC_GET_EMBEDIF:
            return options.oldHost ? 0 : reinterpret_cast<LRESULT>(embedFunction());
        case IPC_SETVISWND:
            visWindow = reinterpret_cast<HWND>(wParam);
            return 0;
        default:
            // Requests this host does not serve get 0, as from a host without that feature.
            return 0;
    }
}

bool HostSession::hostCommand(WPARAM command) {
    if (command != kWinampPlayCommand) {
        return false;
    }
    printLine("play-command");
    playerState.play();
    return true;
}

bool HostSession::hostSysCommand(WPARAM command) {
    if (command != kWinampFileInfoCommand) {
        return false;
    }
    printLine("fileinfo");
    return true;
}

void HostSession::hostKey(bool down, WPARAM virtualKey) {
    printLine(std::string("hostkey ") + (down ? "down " : "up ") + std::to_string(virtualKey));
}

}  // namespace zor::hostsim

// The application object: construction, the host's Init, Config and Quit, and the settings.
#include "host/LyricsPluginApp.h"

#include <algorithm>
#include <array>
#include <memory>

#include "config/Win32ProfileFile.h"
#include "diag/CaughtTrace.h"
#include "diag/TraceLog.h"
#include "display/PluginWnd.h"
#include "framework/EntryGuard.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/WideText.h"

namespace zor {

namespace {

constexpr const char* kPluginCaption = "Maresh's Zor Lyrics plugin!!!!";
constexpr const char* kOldHostText = "This plugin requires Winamp 5.0+";

// The folder part of a file name, its last backslash included; empty without one.
std::string folderOf(const std::string& fileName) {
    const std::size_t separator = fileName.find_last_of('\\');
    return separator == std::string::npos ? std::string() : fileName.substr(0, separator + 1);
}

const char* textOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

PluginPorts::PluginPorts(CLyricsPluginApp& app)
    : windowsPrompt([&app](PromptOwner owner) { return app.promptOwner(owner); }),
      lyricsPort(app, PluginListPort::Which::lyrics),
      editPort(app, PluginListPort::Which::edit) {}

CLyricsPluginApp::CLyricsPluginApp()
    : PluginPorts(*this),
      LyricsCore(lyricsPort, editPort, hostLink, windowsPrompt, platformFileSystem()),
      pluginWnd(new CPluginWnd(*this)) {  // NOLINT(cppcoreguidelines-owning-memory): see header
    fw::setCaughtReporter(traceCaught);
}

CLyricsPluginApp::~CLyricsPluginApp() {
    // A window object with a live window belongs to its window; the host unloads the library
    // after Quit, so normally none is left.
    if (pluginWnd != nullptr && pluginWnd->GetSafeHwnd() == nullptr) {
        delete pluginWnd;  // NOLINT(cppcoreguidelines-owning-memory)
    }
}

bool CLyricsPluginApp::isWindowUsable(const fw::CWnd* child, bool mustBeVisible) const {
    if (pluginWnd == nullptr || !pluginWnd->IsWindow()) {
        return false;
    }
    if (child == nullptr) {
        return true;
    }
    if (!child->IsWindow()) {
        return false;
    }
    return !mustBeVisible || child->IsWindowVisible();
}

HWND CLyricsPluginApp::promptOwner(PromptOwner owner) const {
    switch (owner) {
        case PromptOwner::PluginWindow:
            return pluginWnd != nullptr ? pluginWnd->GetSafeHwnd() : nullptr;
        case PromptOwner::HostMain:
            return hostMain;
        case PromptOwner::ConfigDialog:
            return configDialog;
        case PromptOwner::None:
        default:
            return nullptr;
    }
}

void CLyricsPluginApp::pluginWindowDestroyed(CPluginWnd& gone) {
    if (pluginWnd != &gone) {
        return;
    }
    auto fresh = std::make_unique<CPluginWnd>(*this);
    fresh->takeSettingsFrom(gone);
    pluginWnd = fresh.release();
    if (GetMainWnd() == &gone) {
        SetMainWnd(nullptr);
    }
}

std::string CLyricsPluginApp::libraryFileName() const {
    // A host that leaves hDllInstance empty would otherwise give the host program's own name.
    HINSTANCE instance = visModule != nullptr && visModule->hDllInstance != nullptr
                             ? visModule->hDllInstance
                             : fw::frameworkModule();
    std::array<wchar_t, kLibraryPathChars + 1> name{};
    const DWORD length =
        ::GetModuleFileNameW(instance, name.data(), static_cast<DWORD>(kLibraryPathChars));
    name[std::min<std::size_t>(length, kLibraryPathChars)] = L'\0';
    return win::toUtf8Bounded(name.data(), kLibraryPathChars);
}

// ---- settings -------------------------------------------------------------------------------

SettingsModule CLyricsPluginApp::settingsModule() const {
    SettingsModule module;
    module.libraryFileName = libraryFileName();
    if (visModule != nullptr && visModule->description != nullptr) {
        module.description = visModule->description;
    }
    return module;
}

SettingsStore CLyricsPluginApp::settingsStore() {
    return SettingsStore(
        SettingsHolders{*this, *pluginWnd, *pluginWnd->lyricsList},
        [](const std::string& path) { return std::make_unique<Win32ProfileFile>(path); },
        [this] { pluginWnd->refreshColours(); });
}

void CLyricsPluginApp::loadSettings() {
    settingsStore().loadSettings(settingsModule());
}

void CLyricsPluginApp::loadWindowPosition() {
    settingsStore().loadWindowPosition(settingsModule());
}

void CLyricsPluginApp::saveSettings() {
    const bool windowExists = isWindowUsable();
    const bool oneLine = windowExists && isReducedMode();
    settingsStore().saveSettings(settingsModule(), SaveConditions{windowExists, oneLine});
}

// ---- host callbacks -------------------------------------------------------------------------

int CLyricsPluginApp::Init(winampVisModule* module) {
    if (module == nullptr) {
        return 1;
    }
    visModule = module;
    setLogPath(folderOf(libraryFileName()) + "log.txt");
    setTracePrompt(&windowsPrompt);
    loadSettings();

    embedState = embedWindowState{};  // nothing of a previous run's frame is handed back
    embedState.r.left = Screen_x;
    embedState.r.top = std::max(Screen_y, 0);
    embedState.r.right = Screen_x + ScreenWidth;
    embedState.r.bottom = Screen_y + ScreenHeight;

    hostLink.setHostMain(module->hwndParent);
    const auto embed = reinterpret_cast<EmbedWindowFunction>(
        ::SendMessageW(module->hwndParent, WM_USER, 0, IPC_GET_EMBEDIF));
    if (embed == nullptr) {
        ::MessageBoxW(module->hwndParent, win::toWide(kOldHostText).c_str(),
                      win::toWide(kPluginCaption).c_str(), MB_OK);
        return 1;
    }
    hostFrame = embed(&embedState);
    hostMain = module->hwndParent;
    if (hostFrame == nullptr || ::IsWindow(hostFrame) == FALSE) {
        hostFrame = nullptr;
        return 1;
    }
    hostFrameProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hostFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&frameSubclassProc)));

    if (pluginWnd->createPluginWindow(hostFrame)) {
        SetMainWnd(pluginWnd);
    }
    ::SetWindowTextW(embedState.me, win::toWide(textOrEmpty(module->description)).c_str());
    ::SendMessageW(hostMain, WM_USER, reinterpret_cast<WPARAM>(pluginWnd->GetSafeHwnd()),
                   IPC_SETVISWND);
    ::ShowWindow(hostFrame, SW_SHOWNORMAL);
    createOscSurface();

    layoutPending = 1;
    Render(module);
    return 0;
}

void CLyricsPluginApp::Config(winampVisModule* module) {
    if (module == nullptr) {
        return;
    }
    if (visModule == nullptr) {
        visModule = module;  // the settings file is found through the module
    }
    HWND window = isWindowUsable() ? pluginWnd->GetSafeHwnd() : nullptr;
    if (window != nullptr &&
        ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) {
        // The player's preferences call from its main thread while the plug-in runs: the
        // plug-in's state belongs to its window's thread, which keeps rendering meanwhile.
        ::SendMessageA(window, kRunConfigMessage, 0, 0);
        return;
    }
    if (isWindowUsable(pluginWnd->lyricsList.get(), true)) {
        runConfigDialog(hostFrame);
    } else {
        loadSettings();
        runConfigDialog(module->hwndParent);
    }
    saveSettings();
}

void CLyricsPluginApp::Quit(winampVisModule* module) {
    if (module != nullptr) {
        visModule = module;
    }
    // The network thread first: nothing it answers has a window to go to any more.
    onlineWorker.stop();
    publishRun.stop();
    onlineGeneration = 0;
    onlineAskedFor.clear();
    onlineNoticeText.clear();
    onlineNoticeEnd = 0;
    if (hostFrameProc != nullptr) {
        if (::IsWindow(hostFrame) != FALSE) {
            ::SetWindowLongPtrW(hostFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostFrameProc));
        }
        hostFrameProc = nullptr;
    }
    saveSettings();
    releaseOscSurface();
    if (embedState.me != nullptr) {
        if (::IsWindow(embedState.me) != FALSE) {
            ::DestroyWindow(embedState.me);
        }
        embedState.me = nullptr;
        hostFrame = nullptr;
        ::SetForegroundWindow(hostMain);
    }
}

}  // namespace zor

// A small visualization plug-in for hostsim's own tests. It uses the host the way a real
// plug-in does (embed function, IPC requests, a child window with lists, message boxes, a
// dialog, GDI objects) and shows what it saw as items of its list 1031, which `dump` prints.
//
// Keys in its lists: Y question box, O notice box, D dialog, W write the held file, G/H create
// and delete GDI objects, J jump, P play command, F file information, S select item 2, M fill
// the frame; any other key is posted on to the host main window.

#include <windows.h>

#include <string>
#include <vector>

#include "TestPlugin.h"
#include "host/WinampVis.h"

namespace {

using zor::EmbedWindowFunction;
using zor::embedWindowState;
using zor::extendedFileInfoStruct;
using zor::winampVisHeader;
using zor::winampVisModule;

constexpr int kLyricsListId = 1031;
constexpr int kEditListId = 1032;
constexpr int kAskButtonId = 1100;
constexpr int kUncoveredStrip = 40;  // frame client area left free at the bottom
constexpr COLORREF kBackground = RGB(0, 128, 255);
constexpr int kBufferSize = 512;

// The plug-in's state: one instance per loaded library, as the host interface implies.
struct State {
    winampVisModule* module = nullptr;
    HWND hostMain = nullptr;
    HWND frame = nullptr;
    HWND window = nullptr;
    HWND lyricsList = nullptr;
    HWND editList = nullptr;
    WNDPROC frameProc = nullptr;
    WNDPROC listProc = nullptr;
    HBRUSH background = nullptr;
    std::vector<HGDIOBJ> madeObjects;
    std::vector<HDC> madeDCs;
    std::vector<std::string> renderLines;
    std::vector<std::string> events;
    int selected = -1;
    int renders = 0;
    std::string dialogText;
};
State state;

LRESULT askHost(WPARAM wParam, LPARAM ipc) {
    return SendMessageA(state.hostMain, WM_USER, wParam, ipc);
}

std::string textOf(LRESULT pointer) {
    // The host answers text requests with a pointer into its own memory.
    const auto* text = reinterpret_cast<const char*>(pointer);
    return text == nullptr ? "<null>" : text;
}

std::string oneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        line += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return line;
}

void refreshList() {
    if (state.lyricsList == nullptr) {
        return;
    }
    SendMessageA(state.lyricsList, LB_RESETCONTENT, 0, 0);
    for (const std::vector<std::string>* part : {&state.renderLines, &state.events}) {
        for (const std::string& line : *part) {
            SendMessageA(state.lyricsList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
    }
    SendMessageA(state.lyricsList, LB_SETCURSEL, static_cast<WPARAM>(state.selected), 0);
}

void event(const std::string& text) {
    state.events.push_back(text);
    refreshList();
}

bool onHostThread() {
    return GetWindowThreadProcessId(state.hostMain, nullptr) == GetCurrentThreadId();
}

std::string metadata(const std::string& file, const char* key) {
    char answer[kBufferSize] = "untouched";
    extendedFileInfoStruct request{file.c_str(), key, answer, sizeof answer};
    const LRESULT known =
        askHost(reinterpret_cast<WPARAM>(&request), zor::IPC_GET_EXTENDED_FILE_INFO);
    return known == 0 ? "<unknown>" : "\"" + std::string(answer) + "\"";
}

std::string buttonName(int result) {
    switch (result) {
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        case IDCANCEL:
            return "Cancel";
        case IDOK:
            return "OK";
        default:
            return std::to_string(result);
    }
}

std::string besideLibrary(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(state.module->hDllInstance, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name;
}

void tryWritingHeldFile() {
    HANDLE file = CreateFileA(besideLibrary("held.txt").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        event("write=error " + std::to_string(GetLastError()));
        return;
    }
    CloseHandle(file);
    event("write=ok");
}

void makeGdiObjects() {
    LOGFONTA font{};
    font.lfHeight = -12;
    HDC screen = GetDC(nullptr);
    state.madeObjects = {CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(RGB(1, 2, 3)),
                         CreateFontIndirectA(&font), CreateCompatibleBitmap(screen, 8, 8),
                         CreateRectRgn(0, 0, 4, 4)};
    state.madeDCs = {CreateCompatibleDC(screen)};
    ReleaseDC(nullptr, screen);
    event("gdi made 6");
}

void deleteGdiObjects() {
    for (HGDIOBJ object : state.madeObjects) {
        DeleteObject(object);
    }
    for (HDC dc : state.madeDCs) {
        DeleteDC(dc);
    }
    // Deleted twice on purpose: the host's count must not drop below what is live.
    if (!state.madeObjects.empty()) {
        DeleteObject(state.madeObjects.front());
    }
    state.madeObjects.clear();
    state.madeDCs.clear();
    event("gdi deleted 6");
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            char text[kBufferSize] = {};
            GetDlgItemTextA(dialog, TESTPLUGIN_DIALOG_EDIT, text, sizeof text);
            state.dialogText = text;
        }
        if (id == IDOK || id == IDCANCEL || id == TESTPLUGIN_DIALOG_LATER) {
            EndDialog(dialog, id);
            return TRUE;
        }
    }
    return FALSE;
}

void fillFrame();

// True when the key is one of the plug-in's own.
bool runKey(WPARAM key) {
    switch (key) {
        case 'Y':
            event("question=" +
                  buttonName(MessageBoxA(state.window, "Save the changes?\nThey are not saved yet.",
                                         "Question", MB_YESNOCANCEL)));
            return true;
        case 'O':
            event("notice=" +
                  buttonName(MessageBoxA(state.window, "Just a notice", "Notice", MB_OK)));
            return true;
        case 'D': {
            state.dialogText.clear();
            const INT_PTR result =
                DialogBoxParamA(state.module->hDllInstance, MAKEINTRESOURCEA(TESTPLUGIN_DIALOG),
                                state.window, dialogProc, 0);
            event("dialog=" + buttonName(static_cast<int>(result)) +
                  " text=" + oneLine(state.dialogText));
            return true;
        }
        case 'W':
            tryWritingHeldFile();
            return true;
        case 'G':
            makeGdiObjects();
            return true;
        case 'H':
            deleteGdiObjects();
            return true;
        case 'J':
            askHost(65000, zor::IPC_JUMPTOTIME);
            return true;
        case 'P':
            SendMessageA(state.hostMain, WM_COMMAND, zor::kWinampPlayCommand, 0);
            return true;
        case 'F':
            PostMessageA(state.hostMain, WM_SYSCOMMAND, zor::kWinampFileInfoCommand, 0);
            return true;
        case 'M':
            fillFrame();
            return true;
        case 'S':
            state.selected = 2;
            refreshList();
            return true;
        default:
            return false;
    }
}

bool isModifier(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

void recordKey(WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    auto held = [&keys](int virtualKey) { return (keys[virtualKey] & 0x80) != 0 ? "1" : "0"; };
    event("key " + std::to_string(key) + " shift=" + held(VK_SHIFT) + " ctrl=" + held(VK_CONTROL) +
          " alt=" + held(VK_MENU) + " focus=" + std::to_string(GetDlgCtrlID(GetFocus())));
}

LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if ((down || up) && isModifier(wParam)) {
        return 0;
    }
    if (down) {
        recordKey(wParam);
        if (!runKey(wParam)) {
            PostMessageA(state.hostMain, WM_KEYDOWN, wParam, lParam);
        }
        return 0;
    }
    if (up) {
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_SPACE) {
            PostMessageA(state.hostMain, WM_KEYUP, wParam, lParam);
        }
        return 0;
    }
    if (message == WM_CHAR || message == WM_SYSCHAR) {
        return 0;  // no type-ahead selection: items stay where the tests put them
    }
    return CallWindowProcA(state.listProc, list, message, wParam, lParam);
}

LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(state.frameProc, frame, message, wParam, lParam);
    if (message == WM_SETFOCUS || (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)) {
        SetFocus(state.lyricsList);
    } else if (message == WM_LBUTTONDOWN) {
        event("frame click");
    } else if (message == WM_LBUTTONDBLCLK) {
        event("frame dblclick");
    }
    return result;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == kAskButtonId && HIWORD(wParam) == BN_CLICKED) {
            event("clicked " + std::to_string(id));
        } else if (id == kLyricsListId && HIWORD(wParam) == LBN_DBLCLK) {
            event("dblclick " + std::to_string(id));
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeChild(const char* className, const char* text, DWORD style, int id, RECT r) {
    return CreateWindowExA(0, className, text, WS_CHILD | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, state.window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           state.module->hDllInstance, nullptr);
}

void createWindows() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = state.module->hDllInstance;
    windowClass.hbrBackground = state.background;
    windowClass.lpszClassName = "testplugin window";
    RegisterClassA(&windowClass);
    RECT client{};
    GetClientRect(state.frame, &client);
    state.window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                   client.right, client.bottom - kUncoveredStrip, state.frame,
                                   nullptr, state.module->hDllInstance, nullptr);
    const DWORD listStyle =
        WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    state.lyricsList =
        makeChild("LISTBOX", "", listStyle | WS_VISIBLE, kLyricsListId, {10, 10, 290, 200});
    state.editList = makeChild("LISTBOX", "", listStyle, kEditListId, {10, 10, 290, 200});
    makeChild("BUTTON", "Ask", WS_VISIBLE | BS_PUSHBUTTON, kAskButtonId, {300, 10, 380, 40});
    state.listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.lyricsList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc)));
    SetWindowLongPtrA(state.editList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
}

// The host sizes the plug-in window to fill the frame; the test plug-in leaves a strip of the
// frame's own client area free below it, so a real click can reach the frame.
void leaveFrameStrip() {
    RECT client{};
    GetClientRect(state.frame, &client);
    MoveWindow(state.window, 0, 0, client.right, client.bottom - kUncoveredStrip, TRUE);
}

void fillFrame() {
    RECT client{};
    GetClientRect(state.frame, &client);
    MoveWindow(state.window, 0, 0, client.right, client.bottom, TRUE);
}

int __cdecl init(winampVisModule* module) {
    state.module = module;
    state.hostMain = module->hwndParent;
    event(std::string("init on ") +
          (onHostThread() ? "the host main thread" : "a thread of its own"));
    auto embed = reinterpret_cast<EmbedWindowFunction>(askHost(0, zor::IPC_GET_EMBEDIF));
    if (embed == nullptr) {
        MessageBoxA(state.hostMain, "This host has no embed function", "testplugin", MB_OK);
        return 1;
    }
    embedWindowState embedState{};
    embedState.r = {100, 100, 500, 400};
    state.frame = embed(&embedState);
    RECT frameRect{};
    GetWindowRect(state.frame, &frameRect);
    event(std::string("embed me=") +
          (embedState.me == state.frame && state.frame != nullptr ? "ok" : "wrong") +
          " parent=" + (GetParent(state.frame) != nullptr ? "yes" : "no") +
          " dblclks=" + ((GetClassLongA(state.frame, GCL_STYLE) & CS_DBLCLKS) != 0 ? "yes" : "no") +
          " size=" + std::to_string(frameRect.right - frameRect.left) + "x" +
          std::to_string(frameRect.bottom - frameRect.top));
    state.frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc)));
    state.background = CreateSolidBrush(kBackground);
    createWindows();
    askHost(reinterpret_cast<WPARAM>(state.window), zor::IPC_SETVISWND);
    SetWindowTextA(state.frame, module->description);
    ShowWindow(state.frame, SW_SHOWNORMAL);
    leaveFrameStrip();
    SetFocus(state.lyricsList);
    HANDLE held = CreateFileA(besideLibrary("held.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(held);
    refreshList();
    return 0;
}

std::string waveState(const winampVisModule& module) {
    int moving = 0;
    int peak = 0;
    for (int i = 0; i < zor::kVisDataLength; ++i) {
        moving += module.waveformData[0][i] != 0 ? 1 : 0;
        peak = module.spectrumData[0][i] > module.spectrumData[0][peak] ? i : peak;
    }
    return std::string("wave=") + (moving > 0 ? "moving" : "silent") + " peak=" +
           (module.spectrumData[0][peak] == 0 ? std::string("none") : std::to_string(peak)) +
           " nCh=" + std::to_string(module.nCh);
}

int __cdecl render(winampVisModule* module) {
    state.module = module;
    ++state.renders;
    const LRESULT position = askHost(0, zor::IPC_GETLISTPOS);
    const std::string file =
        textOf(askHost(static_cast<WPARAM>(position), zor::IPC_GETPLAYLISTFILE));
    char caption[kBufferSize] = {};
    SendMessageA(state.hostMain, WM_GETTEXT, kBufferSize - 1, reinterpret_cast<LPARAM>(caption));
    state.renderLines = {
        "renders=" + std::to_string(state.renders) + " on " +
            (onHostThread() ? "host thread" : "own thread"),
        "listpos=" + std::to_string(position) + " file=" + file +
            " title=" + textOf(askHost(static_cast<WPARAM>(position), zor::IPC_GETPLAYLISTTITLE)),
        "playing=" + std::to_string(askHost(0, zor::IPC_ISPLAYING)) +
            " time=" + std::to_string(askHost(0, zor::IPC_GETOUTPUTTIME)),
        "caption=" + std::string(caption),
        "Artist=" + metadata(file, "Artist") + " title=" + metadata(file, "title") +
            " Genre=" + metadata(file, "Genre"),
        waveState(*module),
    };
    refreshList();
    return 0;
}

void __cdecl config(winampVisModule* module) {
    state.hostMain = module->hwndParent;
    const std::string text = std::string("Config runs on ") +
                             (onHostThread() ? "the host main thread" : "another thread");
    MessageBoxA(state.frame != nullptr ? state.frame : state.hostMain, text.c_str(), "Config",
                MB_OK);
}

void __cdecl quit(winampVisModule* /*module*/) {
    if (state.frame != nullptr) {
        SetWindowLongPtrA(state.frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.frameProc));
        DestroyWindow(state.frame);
    }
    DeleteObject(state.background);
    state = State{};
}

winampVisModule* __cdecl getModule(int which);

char headerDescription[] = "hostsim test plug-in";
char moduleDescription[] = "Test module";
winampVisHeader header{zor::kVisHeaderVersion, headerDescription, getModule};
winampVisModule visModule{moduleDescription,
                          nullptr,
                          nullptr,
                          0,
                          0,
                          30,
                          40,
                          2,
                          2,
                          {},
                          {},
                          config,
                          init,
                          render,
                          quit,
                          nullptr};

winampVisModule* __cdecl getModule(int which) {
    return which == 0 ? &visModule : nullptr;
}

}  // namespace

extern "C" __declspec(dllexport) winampVisHeader* __cdecl winampVisGetHeader() {
    return &header;
}

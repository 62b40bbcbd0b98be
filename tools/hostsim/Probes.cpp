#include "tools/hostsim/Probes.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/hostsim/EmbedFrame.h"
#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/MessagePump.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/Screenshot.h"

namespace zor::hostsim {
namespace {

std::string escapedByte(unsigned char byte) {
    if (byte == '\r') {
        return "\\r";
    }
    if (byte == '\n') {
        return "\\n";
    }
    if (byte < 0x20 || byte == 0x7F || byte == '\\') {
        char text[8];
        std::snprintf(text, sizeof text, "\\x%02X", byte);
        return text;
    }
    return std::string(1, static_cast<char>(byte));
}

BOOL CALLBACK collectDescendant(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

HWND pluginControl(int controlId) {
    HWND frame = embeddedFrame();
    if (frame == nullptr || !IsWindow(frame)) {
        throw HostError("there is no host frame");
    }
    std::vector<HWND> windows;
    EnumChildWindows(frame, collectDescendant, reinterpret_cast<LPARAM>(&windows));
    HWND found = nullptr;
    for (HWND window : windows) {
        if (GetDlgCtrlID(window) != controlId) {
            continue;
        }
        if (IsWindowVisible(window)) {
            return window;
        }
        if (found == nullptr) {
            found = window;
        }
    }
    if (found == nullptr) {
        throw HostError("the plug-in has no control " + std::to_string(controlId));
    }
    return found;
}

}  // namespace

void printFile(const std::string& path) {
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) {
        printLine("cat " + path + " missing");
        return;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    printLine("cat " + path + " " + std::to_string(bytes.size()) + " bytes");
    std::string line;
    for (const char c : bytes) {
        line += escapedByte(static_cast<unsigned char>(c));
        if (c == '\n') {
            printLine(line);
            line.clear();
        }
    }
    if (!line.empty()) {
        printLine(line);
    }
}

void printControlRect(int controlId) {
    HWND control = pluginControl(controlId);
    RECT onScreen{};
    GetWindowRect(control, &onScreen);
    RECT inParent = onScreen;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&inParent), 2);
    RECT frame{};
    GetWindowRect(embeddedFrame(), &frame);
    printLine("rect " + std::to_string(controlId) + " " + std::to_string(inParent.left) + " " +
              std::to_string(inParent.top) + " " + std::to_string(inParent.right - inParent.left) +
              " " + std::to_string(inParent.bottom - inParent.top) + " " +
              (IsWindowVisible(control) ? "visible" : "hidden") + " at " +
              std::to_string(onScreen.left - frame.left) + " " +
              std::to_string(onScreen.top - frame.top));
}

std::string controlText(int controlId) {
    HWND control = pluginControl(controlId);
    std::wstring text(4096, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, 2000, &copied);
    text.resize(copied);
    return toUtf8(text);
}

void printControlText(int controlId) {
    printLine("text " + std::to_string(controlId) + " \"" + printableText(controlText(controlId)) +
              "\"");
}

void printFrameRect() {
    HWND frame = embeddedFrame();
    if (frame == nullptr || !IsWindow(frame)) {
        throw HostError("there is no host frame");
    }
    RECT r{};
    GetWindowRect(frame, &r);
    printLine("rect frame " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
              std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + " " +
              (IsWindowVisible(frame) ? "visible" : "hidden"));
}

void moveMouseOnto(int controlId) {
    HWND control = pluginControl(controlId);
    RECT client{};
    GetClientRect(control, &client);
    POINT centre{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
    ClientToScreen(control, &centre);
    if (!SetCursorPos(centre.x, centre.y)) {
        throw HostError("SetCursorPos failed");
    }
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;  // no distance: the window under the cursor hears of it
    SendInput(1, &move, sizeof move);
}

void grabFrame(const std::string& path) {
    // The X server draws asynchronously; a short pause lets it catch up before the copy.
    waitPumping(nullptr, 100);
    writeWindowShot(embeddedFrame(), path);
    printLine("grab " + path);
}

}  // namespace zor::hostsim

#include "tools/hostsim/DialogSteps.h"

#include <commctrl.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "tools/hostsim/HostErrors.h"
#include "tools/hostsim/HostText.h"
#include "tools/hostsim/HostWindow.h"
#include "tools/hostsim/Output.h"
#include "tools/hostsim/Screenshot.h"

namespace zor::hostsim {
namespace {

// The dialog belongs to another thread of this process: every request goes with a timeout, and
// a press that opens a modal dialog of its own returns when the timeout ends.
constexpr UINT kStepTimeoutMs = 1000;

LRESULT sendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kStepTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string textOf(HWND window) {
    std::vector<wchar_t> buffer(8192, L'\0');
    const LRESULT copied =
        sendTimed(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return toUtf8(
        std::wstring_view(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0));
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool takesControl(const std::string& name) {
    return name == "press" || name == "click" || name == "settext" || name == "checked" ||
           name == "text" || name == "enabled" || name == "select" || name == "wait" ||
           name == "pick" || name == "items";
}

bool takesText(const std::string& name) {
    return name == "select" || name == "settext" || name == "wait" || name == "pick";
}

std::string treeItemText(HWND tree, HTREEITEM item) {
    std::array<wchar_t, MAX_PATH + 1> text{};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text.data();
    query.cchTextMax = static_cast<int>(text.size());
    sendTimed(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    text.back() = L'\0';
    return toUtf8(text.data());
}

HTREEITEM nextTreeItem(HWND tree, HTREEITEM item, UINT relation) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the tree answers an item handle
    return reinterpret_cast<HTREEITEM>(
        sendTimed(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Depth first, over the items the tree has filled in so far.
HTREEITEM findTreeItem(HWND tree, HTREEITEM first, const std::string& wanted) {
    for (HTREEITEM item = first; item != nullptr; item = nextTreeItem(tree, item, TVGN_NEXT)) {
        if (lowerCase(treeItemText(tree, item)) == wanted) {
            return item;
        }
        if (HTREEITEM child = nextTreeItem(tree, item, TVGN_CHILD); child != nullptr) {
            if (HTREEITEM found = findTreeItem(tree, child, wanted); found != nullptr) {
                return found;
            }
        }
    }
    return nullptr;
}

const char* yesNo(bool yes) {
    return yes ? " yes" : " no";
}

struct Step {
    std::string name;
    int controlId = 0;
    std::string text;
};

Step parseStep(const std::string& line) {
    std::istringstream words(line);
    Step step;
    words >> step.name;
    if (takesControl(step.name)) {
        words >> step.controlId;
    }
    std::getline(words >> std::ws, step.text);
    return step;
}

}  // namespace

std::string checkDialogStep(const CommandArguments& arguments) {
    const std::string& name = arguments[0];
    if (name == "redraw") {
        return arguments.size() == 1 ? std::string() : "dialog redraw takes no arguments";
    }
    if (name == "shot") {
        return arguments.size() == 2 ? std::string() : "dialog shot needs one file name";
    }
    if (name == "song") {
        return arguments.size() == 2 && !arguments[1].empty() &&
                       arguments[1].find_first_not_of("0123456789") == std::string::npos
                   ? std::string()
                   : "dialog song needs a playlist position";
    }
    if (!takesControl(name)) {
        return "unknown dialog step \"" + name + "\"";
    }
    if (arguments.size() < 2 || std::atoi(arguments[1].c_str()) <= 0) {
        return "dialog " + name + " needs a control id";
    }
    if (takesText(name) != (arguments.size() == 3)) {
        return takesText(name) ? "dialog " + name + " needs a text"
                               : "dialog " + name + ": too many arguments";
    }
    return std::string();
}

std::string dialogStepText(const CommandArguments& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        text += (text.empty() ? "" : " ") + argument;
    }
    return text;
}

bool runDialogStep(HWND box, const std::string& line) {
    const Step step = parseStep(line);
    const std::string prefix = "dialog \"" + printableText(textOf(box)) + "\" " + step.name;
    if (step.name == "redraw") {
        printLine(prefix);
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return true;
    }
    if (step.name == "song") {
        // The player is the main thread's: it selects the entry, as its playlist would.
        printLine(prefix + " " + step.text);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(FindWindowW(kHostClassName, nullptr), kHostSelectMessage,
                            static_cast<WPARAM>(std::atoi(step.text.c_str())), 0, SMTO_NORMAL, 5000,
                            &ignored);
        return true;
    }
    if (step.name == "shot") {
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(200);  // the X server draws asynchronously
        try {
            writeWindowShot(box, step.text);
        } catch (const HostError& error) {
            printLine(prefix + " " + step.text + " -> " + error.what());
            return false;
        }
        printLine(prefix + " " + step.text);
        return true;
    }
    const std::string withId = prefix + " " + std::to_string(step.controlId);
    HWND control = GetDlgItem(box, step.controlId);
    if (control == nullptr) {
        printLine(withId + " -> no such control");
        return false;
    }
    if (step.name == "press") {
        // Printed first: what the press makes the plug-in do comes after it.
        printLine(withId);
        sendTimed(control, BM_CLICK, 0, 0);
    } else if (step.name == "click") {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
        const int x = (rect.left + rect.right) / 2;
        const int y = (rect.top + rect.bottom) / 2;
        printLine(withId);
        // Posted: a chooser the click opens runs inside the dialog's handling of it.
        PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    } else if (step.name == "settext") {
        printLine(withId + " " + step.text);
        const std::wstring text = toWide(step.text);
        sendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (step.name == "checked" || step.name == "enabled") {
        const bool yes = step.name == "checked"
                             ? sendTimed(control, BM_GETCHECK, 0, 0) == BST_CHECKED
                             : IsWindowEnabled(control) != FALSE;
        printLine(withId + yesNo(yes));
    } else if (step.name == "text") {
        printLine(withId + " \"" + printableText(textOf(control)) + "\"");
    } else if (step.name == "wait") {
        // The plug-in's answer comes from another of its threads: polled, for 10 s at most.
        bool seen = false;
        for (int tries = 0; tries < 200 && !seen; ++tries) {
            seen = textOf(control).find(step.text) != std::string::npos;
            if (!seen) {
                Sleep(50);
            }
        }
        printLine(withId + " " + step.text + (seen ? "" : " -> timeout"));
        return seen;
    } else if (step.name == "items") {
        const auto count = static_cast<int>(sendTimed(control, LB_GETCOUNT, 0, 0));
        printLine(withId + " " + std::to_string(count));
        for (int i = 0; i < count; ++i) {
            std::vector<wchar_t> item(
                static_cast<std::size_t>(sendTimed(control, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            sendTimed(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            printLine("item " + std::to_string(i) + "\t" + printableText(toUtf8(item.data())));
        }
    } else if (step.name == "pick") {
        // As a click on an item: the list tells its dialog.
        const int index = std::atoi(step.text.c_str());
        printLine(withId + " " + step.text);
        sendTimed(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        sendTimed(box, WM_COMMAND, MAKEWPARAM(step.controlId, LBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(control));
    } else if (step.name == "select") {
        HTREEITEM item =
            findTreeItem(control, nextTreeItem(control, nullptr, TVGN_ROOT), lowerCase(step.text));
        printLine(withId + " " + step.text + (item != nullptr ? "" : " -> none"));
        if (item == nullptr) {
            return false;
        }
        sendTimed(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    return true;
}

void writeScriptFile(const std::string& path, const std::string& text) {
    for (std::size_t separator = path.find('\\', 3); separator != std::string::npos;
         separator = path.find('\\', separator + 1)) {
        CreateDirectoryW(toWide(path.substr(0, separator)).c_str(), nullptr);
    }
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            bytes += "\r\n";
            ++i;
        } else {
            bytes += text[i];
        }
    }
    std::ofstream file(filePath(path), std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file) {
        throw HostError("file: cannot write " + path);
    }
}

}  // namespace zor::hostsim

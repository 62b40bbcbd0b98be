#include "tools/hostsim/InputDriver.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "tools/hostsim/HostErrors.h"

namespace zor::hostsim {
namespace {

struct NamedKey {
    std::string_view name;
    WORD virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"RETURN", VK_RETURN}, {"END", VK_END},     {"UP", VK_UP},         {"DOWN", VK_DOWN},
    {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT}, {"INSERT", VK_INSERT}, {"DELETE", VK_DELETE},
    {"SPACE", VK_SPACE},   {"[", VK_OEM_4},     {"]", VK_OEM_6},       {"ESCAPE", VK_ESCAPE},
};

constexpr int kFunctionKeys = 12;
constexpr int kAbsoluteScale = 65535;

std::string upperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

std::optional<WORD> virtualKeyNamed(const std::string& name) {
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) {
            return key.virtualKey;
        }
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<WORD>(name[0]);
    }
    if (name.size() >= 2 && name[0] == 'F' &&
        name.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int number = std::stoi(name.substr(1));
        if (number >= 1 && number <= kFunctionKeys) {
            return static_cast<WORD>(VK_F1 + number - 1);
        }
    }
    return std::nullopt;
}

bool isExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_END:
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

INPUT keyInput(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (down ? 0 : KEYEVENTF_KEYUP) | (isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// Each event carries the point itself (absolute, on the 0..65535 scale of the primary screen),
// so that no late cursor movement can move the click elsewhere.
INPUT mouseInput(DWORD flags, POINT screenPoint) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenPoint.x, kAbsoluteScale, width > 1 ? width - 1 : 1);
    input.mi.dy = MulDiv(screenPoint.y, kAbsoluteScale, height > 1 ? height - 1 : 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void send(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        throw HostError("SendInput delivered " + std::to_string(sent) + " of " +
                        std::to_string(inputs.size()) + " events");
    }
}

}  // namespace

std::optional<KeyPress> parseKey(const std::string& text) {
    const std::string upper = upperCase(text);
    std::size_t plus = upper.find('+');
    const std::optional<WORD> virtualKey = virtualKeyNamed(upper.substr(0, plus));
    if (!virtualKey) {
        return std::nullopt;
    }
    KeyPress key;
    key.virtualKey = *virtualKey;
    while (plus != std::string::npos) {
        const std::size_t next = upper.find('+', plus + 1);
        const std::string modifier =
            upper.substr(plus + 1, next == std::string::npos ? next : next - plus - 1);
        if (modifier == "SHIFT") {
            key.shift = true;
        } else if (modifier == "CTRL") {
            key.control = true;
        } else if (modifier == "ALT") {
            key.alt = true;
        } else {
            return std::nullopt;
        }
        plus = next;
    }
    return key;
}

void sendKey(const KeyPress& key) {
    std::vector<WORD> modifiers;
    if (key.shift) {
        modifiers.push_back(VK_SHIFT);
    }
    if (key.control) {
        modifiers.push_back(VK_CONTROL);
    }
    if (key.alt) {
        modifiers.push_back(VK_MENU);
    }
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) {
        inputs.push_back(keyInput(modifier, true));
    }
    inputs.push_back(keyInput(key.virtualKey, true));
    inputs.push_back(keyInput(key.virtualKey, false));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
        inputs.push_back(keyInput(*modifier, false));
    }
    send(inputs);
}

void sendClick(POINT screenPoint, bool doubleClick) {
    if (!SetCursorPos(screenPoint.x, screenPoint.y)) {
        throw HostError("SetCursorPos failed");
    }
    // A plain move first, so the window under the cursor knows the mouse is there.
    std::vector<INPUT> inputs{mouseInput(0, screenPoint)};
    const int clicks = doubleClick ? 2 : 1;
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(mouseInput(MOUSEEVENTF_LEFTDOWN, screenPoint));
        inputs.push_back(mouseInput(MOUSEEVENTF_LEFTUP, screenPoint));
    }
    send(inputs);
}

}  // namespace zor::hostsim

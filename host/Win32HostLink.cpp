#include "host/Win32HostLink.h"

#include <array>
#include <cstddef>

#include "host/WinampVis.h"
#include "lyrics/model/TextLimits.h"

namespace zor {

namespace {

// The host's text, up to its NUL but never more than a path may hold.
std::string copyBounded(const char* text) {
    std::size_t length = 0;
    while (length < kMaxPathChars && text[length] != '\0') {
        ++length;
    }
    return std::string(text, length);
}

}  // namespace

LRESULT Win32HostLink::ask(WPARAM wParam, int ipc) const {
    return ::SendMessageA(hostMain_, WM_USER, wParam, static_cast<LPARAM>(ipc));
}

std::optional<std::string> Win32HostLink::hostText(WPARAM index, int ipc) const {
    // The host owns the text; it is only read.
    const auto* text = reinterpret_cast<const char*>(ask(index, ipc));
    if (text == nullptr) {
        return std::nullopt;
    }
    return copyBounded(text);
}

bool Win32HostLink::isPlaying() {
    return ask(0, IPC_ISPLAYING) == 1;
}

int Win32HostLink::outputTime() {
    return static_cast<int>(ask(0, IPC_GETOUTPUTTIME));
}

void Win32HostLink::jumpToTime(int ms) {
    ask(static_cast<WPARAM>(ms), IPC_JUMPTOTIME);
}

int Win32HostLink::listPosition() {
    return static_cast<int>(ask(0, IPC_GETLISTPOS));
}

std::optional<std::string> Win32HostLink::playlistFile(int index) {
    return hostText(static_cast<WPARAM>(index), IPC_GETPLAYLISTFILE);
}

std::optional<std::string> Win32HostLink::playlistTitle(int index) {
    return hostText(static_cast<WPARAM>(index), IPC_GETPLAYLISTTITLE);
}

bool Win32HostLink::extendedFileInfo(const std::string& file, const std::string& key,
                                     std::string& answer) {
    std::array<char, kTextBufferSize> buffer{};
    extendedFileInfoStruct info{file.c_str(), key.c_str(), buffer.data(), buffer.size()};
    const LRESULT result = ask(reinterpret_cast<WPARAM>(&info), IPC_GET_EXTENDED_FILE_INFO);
    buffer.back() = '\0';  // a host that fills the whole buffer gets no NUL of its own
    answer = copyBounded(buffer.data());
    return result != 0;
}

void Win32HostLink::play() {
    ::SendMessageA(hostMain_, WM_COMMAND, kWinampPlayCommand, 0);
}

void Win32HostLink::showFileInfo() {
    ::PostMessageA(hostMain_, WM_SYSCOMMAND, kWinampFileInfoCommand, 0);
}

std::string Win32HostLink::mainCaption() {
    std::array<char, kTextBufferSize> buffer{};
    ::SendMessageA(hostMain_, WM_GETTEXT, kMaxPathChars, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = '\0';
    return copyBounded(buffer.data());
}

}  // namespace zor

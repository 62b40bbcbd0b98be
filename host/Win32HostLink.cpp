#include "host/Win32HostLink.h"

#include <array>
#include <cstddef>

#include "host/HostVersion.h"
#include "host/WinampVis.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/platform/WideText.h"

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

// An older host's text is in the system's ANSI code page.
std::string fromAnsi(const std::string& text) {
    return win::toUtf8(win::widenFrom(CP_ACP, text));
}

}  // namespace

void Win32HostLink::setHostMain(HWND hostMain) {
    hostMain_ = hostMain;
    version_.reset();
}

LRESULT Win32HostLink::ask(WPARAM wParam, int ipc) const {
    return ::SendMessageW(hostMain_, WM_USER, wParam, static_cast<LPARAM>(ipc));
}

// Asked once per host window: the answer decides which requests are used.
unsigned Win32HostLink::hostVersion() {
    if (!version_) {
        version_ = static_cast<unsigned>(ask(0, IPC_GETVERSION));
    }
    return *version_;
}

std::optional<std::string> Win32HostLink::hostText(WPARAM index, int wideIpc, int ansiIpc) {
    // The host owns the text; it is only read.
    if (hostHasWidePlaylist(hostVersion())) {
        const auto* text = reinterpret_cast<const wchar_t*>(ask(index, wideIpc));
        if (text == nullptr) {
            return std::nullopt;
        }
        return win::toUtf8Bounded(text, kMaxPathChars);
    }
    const auto* text = reinterpret_cast<const char*>(ask(index, ansiIpc));
    if (text == nullptr) {
        return std::nullopt;
    }
    return fromAnsi(copyBounded(text));
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
    return hostText(static_cast<WPARAM>(index), IPC_GETPLAYLISTFILEW, IPC_GETPLAYLISTFILE);
}

std::optional<std::string> Win32HostLink::playlistTitle(int index) {
    return hostText(static_cast<WPARAM>(index), IPC_GETPLAYLISTTITLEW, IPC_GETPLAYLISTTITLE);
}

bool Win32HostLink::extendedFileInfo(const std::string& file, const std::string& key,
                                     std::string& answer) {
    if (hostHasWideFileInfo(hostVersion())) {
        const std::wstring wideFile = win::toWide(file);
        const std::wstring wideKey = win::toWide(key);
        std::array<wchar_t, kTextBufferSize> buffer{};
        extendedFileInfoStructW info{wideFile.c_str(), wideKey.c_str(), buffer.data(),
                                     buffer.size()};
        const LRESULT result = ask(reinterpret_cast<WPARAM>(&info), IPC_GET_EXTENDED_FILE_INFOW);
        buffer.back() = L'\0';  // a host that fills the whole buffer gets no NUL of its own
        answer = win::toUtf8Bounded(buffer.data(), kMaxPathChars);
        return result != 0;
    }
    const std::string ansiFile = win::narrowTo(CP_ACP, win::toWide(file));
    const std::string ansiKey = win::narrowTo(CP_ACP, win::toWide(key));
    std::array<char, kTextBufferSize> buffer{};
    extendedFileInfoStruct info{ansiFile.c_str(), ansiKey.c_str(), buffer.data(), buffer.size()};
    const LRESULT result = ask(reinterpret_cast<WPARAM>(&info), IPC_GET_EXTENDED_FILE_INFO);
    buffer.back() = '\0';
    answer = fromAnsi(copyBounded(buffer.data()));
    return result != 0;
}

void Win32HostLink::play() {
    ::SendMessageW(hostMain_, WM_COMMAND, kWinampPlayCommand, 0);
}

void Win32HostLink::showFileInfo() {
    ::PostMessageW(hostMain_, WM_SYSCOMMAND, kWinampFileInfoCommand, 0);
}

// The caption in UTF-16, whatever the host's version: 511 units of buffer, as the host's
// WM_GETTEXT was always asked.
std::string Win32HostLink::mainCaption() {
    std::array<wchar_t, kTextBufferSize> buffer{};
    ::GetWindowTextW(hostMain_, buffer.data(), static_cast<int>(kMaxPathChars));
    buffer.back() = L'\0';
    return win::toUtf8Bounded(buffer.data(), kMaxPathChars);
}

}  // namespace zor

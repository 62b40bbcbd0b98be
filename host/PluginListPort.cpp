#include "host/PluginListPort.h"

#include <windows.h>

#include <new>

#include "display/PluginWnd.h"
#include "host/LyricsPluginApp.h"

namespace zor {

namespace {

// Test seam: with ZORLYRICS_TEST_FAIL_APPEND set (only tests set it), appending a line that
// contains its text fails as if memory had run out, so tests reach the entry points' guards.
const std::string& appendFailureMarker() {
    static const std::string marker = [] {
        char value[256] = {};
        const DWORD n =
            ::GetEnvironmentVariableA("ZORLYRICS_TEST_FAIL_APPEND", value, sizeof value);
        return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
    }();
    return marker;
}

}  // namespace

CLyricsListBox* PluginListPort::list() const {
    CPluginWnd* window = app_.pluginWnd;
    if (window == nullptr) {
        return nullptr;
    }
    return which_ == Which::lyrics ? window->lyricsList.get() : window->editList.get();
}

void PluginListPort::append(const std::string& text) {
    if (!appendFailureMarker().empty() && text.find(appendFailureMarker()) != std::string::npos) {
        throw std::bad_alloc();
    }
    if (CLyricsListBox* target = list()) {
        target->append(text);
    }
}

void PluginListPort::insert(int index, const std::string& text) {
    if (CLyricsListBox* target = list()) {
        target->insert(index, text);
    }
}

void PluginListPort::remove(int index) {
    if (CLyricsListBox* target = list()) {
        target->remove(index);
    }
}

std::string PluginListPort::text(int index) const {
    const CLyricsListBox* target = list();
    return target != nullptr ? target->text(index) : std::string();
}

int PluginListPort::count() const {
    const CLyricsListBox* target = list();
    return target != nullptr ? target->count() : 0;
}

int PluginListPort::selection() const {
    const CLyricsListBox* target = list();
    return target != nullptr ? target->selection() : -1;
}

void PluginListPort::setSelection(int index) {
    if (CLyricsListBox* target = list()) {
        target->setSelection(index);
    }
}

void PluginListPort::clear() {
    if (CLyricsListBox* target = list()) {
        target->clear();
    }
}

void PluginListPort::setRedraw(bool on) {
    if (CLyricsListBox* target = list()) {
        target->setRedraw(on);
    }
}

bool PluginListPort::isVisible() const {
    const CLyricsListBox* target = list();
    return target != nullptr && target->isVisible();
}

}  // namespace zor

// The ANSI code page of the running system, as every other text of the plug-in.
#include <windows.h>

#include "lyrics/platform/CodePage.h"

namespace zor {

std::string toSingleByte(const std::u16string& text) {
    if (text.empty()) {
        return {};
    }
    const std::wstring wide(text.begin(), text.end());
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, "?", nullptr);
    if (needed <= 0) {
        return std::string(text.size(), '?');
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, bytes.data(), needed, "?", nullptr);
    return bytes;
}

}  // namespace zor

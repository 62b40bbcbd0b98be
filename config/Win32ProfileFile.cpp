// Profile reads and writes through GetPrivateProfileStringW and WritePrivateProfileStringW. The
// W functions keep a file in the ANSI code page as it is, and write UTF-16 only into a file that
// already starts with a UTF-16 byte-order mark; so the first value that the ANSI code page cannot
// hold turns the file into UTF-16LE with a mark before it is written.
#include "config/Win32ProfileFile.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "lyrics/platform/CodePage.h"
#include "lyrics/text/Utf16.h"

namespace zor {

namespace {

// The services cannot say that a key is absent; they hand back the default instead, so the
// default is a text that no stored value holds.
constexpr const wchar_t* kAbsentKey = L"\x01zor:absent\x01";
constexpr DWORD kFirstBufferSize = 1024;
constexpr DWORD kLargestBufferSize = 64 * 1024;
constexpr char kUtf16LeMark[] = "\xFF\xFE";

std::wstring wide(const std::string& utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string narrow(const std::wstring& text) {
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

UniqueHandle openFile(const std::wstring& path, DWORD access, DWORD disposition) {
    const HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The whole file, or none when it does not exist or cannot be read.
std::optional<std::string> readBytes(const std::wstring& path) {
    const UniqueHandle file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    std::vector<char> block(64 * 1024);
    DWORD got = 0;
    while (ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr) &&
           got > 0) {
        bytes.append(block.data(), got);
    }
    return bytes;
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file = openFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) != FALSE &&
           written == bytes.size();
}

// Rewrites an ANSI file (or creates the file) as UTF-16LE with a mark, through a temporary file
// so that a failure leaves the old one whole.
bool makeUtf16(const std::wstring& path) {
    const std::optional<std::string> bytes = readBytes(path);
    if (bytes && bytes->compare(0, 2, kUtf16LeMark) == 0) {
        return true;
    }
    const std::string text = bytes ? decodeCodePage(ansiCodePage(), *bytes) : std::string();
    const std::wstring temporary = path + L".new";
    if (!writeBytes(temporary,
                    std::string(kUtf16LeMark) + utf8ToUtf16Bytes(text, ByteOrder::Little)) ||
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool fitsAnsi(const std::string& text) {
    return encodeCodePage(ansiCodePage(), text).has_value();
}

}  // namespace

std::optional<std::string> Win32ProfileFile::read(const std::string& section,
                                                  const std::string& key) {
    const std::wstring path = wide(path_);
    const std::wstring sectionName = wide(section);
    const std::wstring keyName = wide(key);
    // The services cut a value that does not fit; a larger buffer is tried until it fits.
    for (DWORD size = kFirstBufferSize;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = ::GetPrivateProfileStringW(
            sectionName.c_str(), keyName.c_str(), kAbsentKey, buffer.data(), size, path.c_str());
        if (length + 1 < size || size >= kLargestBufferSize) {
            const std::wstring value(buffer.data(), length);
            if (value == kAbsentKey) {
                return std::nullopt;
            }
            return narrow(value);
        }
    }
}

bool Win32ProfileFile::write(const std::string& section, const std::string& key,
                             const std::string& value) {
    const std::wstring path = wide(path_);
    if (!(fitsAnsi(section) && fitsAnsi(key) && fitsAnsi(value)) && !makeUtf16(path)) {
        return false;
    }
    return ::WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(),
                                        wide(value).c_str(), path.c_str()) != FALSE;
}

}  // namespace zor

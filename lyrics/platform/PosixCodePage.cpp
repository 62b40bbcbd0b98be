// Code pages on systems without Windows: Windows-1252 and Latin-1 of our own, the others
// through iconv, which knows Windows code pages as "CPnnnn".
#include <iconv.h>

#include <cerrno>
#include <memory>
#include <vector>

#include "lyrics/platform/CodePage.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"
#include "lyrics/text/Windows1252.h"

namespace zor {

namespace {

constexpr int kUtf8CodePage = 65001;
constexpr char32_t kReplacement = 0xFFFD;

struct IconvCloser {
    void operator()(void* handle) const { iconv_close(static_cast<iconv_t>(handle)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const char* to, const char* from) {
    const iconv_t handle = iconv_open(to, from);
    // iconv_open reports failure as (iconv_t)-1.
    if (handle == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        return nullptr;
    }
    return IconvHandle(handle);
}

// iconv knows most Windows code pages as "CPnnnn"; these only by their own names.
std::string iconvName(int codePage) {
    struct Named {
        int codePage;
        const char* name;
    };
    static constexpr Named kNamed[] = {
        {20866, "KOI8-R"},     {20932, "EUC-JP"},      {28592, "ISO-8859-2"},
        {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},
        {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},
        {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
        {38598, "ISO-8859-8"}, {54936, "GB18030"},     {10029, "MAC-CENTRALEUROPE"},
    };
    for (const Named& named : kNamed) {
        if (named.codePage == codePage) {
            return named.name;
        }
    }
    return "CP" + std::to_string(codePage);
}

enum class Stop { AtBadInput, Never };

// Converts all of input; at a sequence the target cannot take, either gives up (none) or, for
// decoding, writes U+FFFD and goes on after one byte.
std::optional<std::string> convert(iconv_t handle, std::string_view input, Stop stop) {
    std::string output;
    std::vector<char> buffer(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());  // iconv's interface; the input is not changed
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (stop == Stop::AtBadInput) {
            return std::nullopt;
        }
        appendUtf8(output, kReplacement);
        ++in;
        --inLeft;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    iconv(handle, nullptr, nullptr, &out, &outLeft);  // a stateful code page's closing shift
    output.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
    return output;
}

std::string decodeLatin1(std::string_view bytes) {
    std::size_t high = 0;
    for (const char c : bytes) {
        high += static_cast<unsigned char>(c) >> 7;
    }
    std::string text(bytes.size() + high, '\0');
    char* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            *out++ = c;
        } else {
            *out++ = static_cast<char>(0xC0 | (byte >> 6));
            *out++ = static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> encodeLatin1(std::string_view utf8) {
    std::string bytes;
    for (const char16_t unit : utf8ToUtf16(utf8)) {
        if (unit > 0xFF) {
            return std::nullopt;
        }
        bytes += static_cast<char>(unit);
    }
    return bytes;
}

}  // namespace

int ansiCodePage() {
    return kWindows1252CodePage;
}

bool codePageAvailable(int codePage) {
    return codePage == kWindows1252CodePage || codePage == kLatin1CodePage ||
           codePage == kUtf8CodePage || openIconv("UTF-8", iconvName(codePage).c_str()) != nullptr;
}

std::string decodeCodePage(int codePage, std::string_view bytes) {
    if (codePage == kLatin1CodePage) {
        return decodeLatin1(bytes);
    }
    if (codePage == kUtf8CodePage) {
        return toValidUtf8(bytes);
    }
    if (codePage != kWindows1252CodePage) {
        if (const IconvHandle handle = openIconv("UTF-8", iconvName(codePage).c_str())) {
            return *convert(static_cast<iconv_t>(handle.get()), bytes, Stop::Never);
        }
    }
    return decodeWindows1252(bytes);
}

std::optional<std::string> decodeCodePageExactly(int codePage, std::string_view bytes) {
    if (codePage == kLatin1CodePage || codePage == kWindows1252CodePage) {
        return decodeCodePage(codePage, bytes);  // every byte is a character
    }
    if (codePage == kUtf8CodePage) {
        return isValidUtf8(bytes) ? std::optional<std::string>(bytes) : std::nullopt;
    }
    const IconvHandle handle = openIconv("UTF-8", iconvName(codePage).c_str());
    if (!handle) {
        return std::nullopt;
    }
    return convert(static_cast<iconv_t>(handle.get()), bytes, Stop::AtBadInput);
}

std::optional<std::string> encodeCodePage(int codePage, std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    if (codePage == kUtf8CodePage) {
        return isValidUtf8(utf8) ? std::optional<std::string>(utf8) : std::nullopt;
    }
    if (codePage == kLatin1CodePage) {
        return encodeLatin1(utf8);
    }
    if (codePage != kWindows1252CodePage) {
        if (const IconvHandle handle = openIconv(iconvName(codePage).c_str(), "UTF-8")) {
            return convert(static_cast<iconv_t>(handle.get()), toValidUtf8(utf8), Stop::AtBadInput);
        }
    }
    return encodeWindows1252(utf8);
}

}  // namespace zor

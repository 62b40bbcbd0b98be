// From a detector's charset name to a Windows code page that holds up on the whole file.
#include "lyrics/text/CodePageGuess.h"

#include <algorithm>
#include <array>

#include "lyrics/platform/CodePage.h"
#include "lyrics/text/CharsetDetector.h"

namespace zor {

namespace {

struct CharsetEntry {
    std::string_view name;  // as uchardet names it
    int codePage;
    bool singleByte;
};

// uchardet's names for the charsets Windows has a code page for. GB18030 is named for any GBK
// text: the GBK code page comes first, and GB18030 itself only where the file needs it.
constexpr std::array<CharsetEntry, 39> kCharsets{{
    {"GB18030", 936, false},      {"GB18030", 54936, false},     {"GB2312", 936, false},
    {"BIG5", 950, false},         {"SHIFT_JIS", 932, false},     {"SJIS", 932, false},
    {"EUC-JP", 20932, false},     {"EUC-KR", 949, false},        {"UHC", 949, false},
    {"CP949", 949, false},        {"WINDOWS-1250", 1250, true},  {"WINDOWS-1251", 1251, true},
    {"WINDOWS-1252", 1252, true}, {"WINDOWS-1253", 1253, true},  {"WINDOWS-1255", 1255, true},
    {"WINDOWS-1256", 1256, true}, {"WINDOWS-1257", 1257, true},  {"WINDOWS-1258", 1258, true},
    {"ISO-8859-1", 28591, true},  {"ISO-8859-2", 28592, true},   {"ISO-8859-3", 28593, true},
    {"ISO-8859-4", 28594, true},  {"ISO-8859-5", 28595, true},   {"ISO-8859-6", 28596, true},
    {"ISO-8859-7", 28597, true},  {"ISO-8859-8", 28598, true},   {"ISO-8859-8-I", 38598, true},
    {"ISO-8859-9", 28599, true},  {"ISO-8859-13", 28603, true},  {"ISO-8859-15", 28605, true},
    {"KOI8-R", 20866, true},      {"IBM852", 852, true},         {"IBM855", 855, true},
    {"IBM866", 866, true},        {"MAC-CYRILLIC", 10007, true}, {"MAC-CENTRALEUROPE", 10029, true},
    {"TIS-620", 874, true},       {"WINDOWS-874", 874, true},    {"CP874", 874, true},
}};

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto upper = [](char c) {
                   return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
               };
               return upper(x) == upper(y);
           });
}

constexpr int kGbkCodePage = 936;

// Detectors settle within the first few kilobytes. Handing one all of a large file costs tens of
// milliseconds for the same opinion, and the opinion is checked on the whole file anyway. The
// sample ends at a line end, so that no character is cut.
constexpr std::size_t kDetectionSampleBytes = 16 * 1024;

std::string_view detectionSample(std::string_view bytes) {
    if (bytes.size() <= kDetectionSampleBytes) {
        return bytes;
    }
    const std::size_t lineEnd = bytes.rfind('\n', kDetectionSampleBytes - 1);
    return bytes.substr(0, lineEnd == std::string_view::npos ? kDetectionSampleBytes : lineEnd + 1);
}

// Whether the text reads as Chinese in GBK by its shape alone, where the detector has no opinion:
// frequency statistics need natural text, and a few lines mixed with Latin words give them too
// little. Every byte above ASCII pairs up, and nearly all pairs are in the GB2312 rows (both bytes
// 0xA1 or above), as Chinese lyrics are. Western text fails at once: an accented letter is
// followed by an ASCII letter, a blank or a punctuation mark far more often than by another one.
bool shapedLikeGbk(std::string_view bytes) {
    constexpr std::size_t kLeastPairs = 8;
    constexpr std::size_t kMostPairsOutsideGb2312PerCent = 10;
    std::size_t pairs = 0;
    std::size_t outside = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            continue;
        }
        if (lead == 0x80 || lead == 0xFF || i + 1 == bytes.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
        ++pairs;
        if (lead < 0xA1 || trail < 0xA1) {
            ++outside;
        }
    }
    return pairs >= kLeastPairs && outside * 100 <= pairs * kMostPairsOutsideGb2312PerCent;
}

// The detector's charset, as the first code page of it that holds up on the whole file.
std::optional<CodePageGuess> detectorsGuess(std::string_view charset, std::string_view bytes,
                                            int systemCodePage) {
    for (const CharsetEntry& entry : kCharsets) {
        if (!sameName(entry.name, charset) || !codePageAvailable(entry.codePage)) {
            continue;
        }
        // A single-byte guess loses to the system's code page wherever that reads the file.
        if (entry.singleByte && decodeCodePageExactly(systemCodePage, bytes)) {
            return std::nullopt;
        }
        std::optional<std::string> text = decodeCodePageExactly(entry.codePage, bytes);
        if (!text) {
            continue;
        }
        return CodePageGuess{entry.codePage, std::move(*text)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<CharsetCodePage> windowsCodePageOf(std::string_view charset) {
    for (const CharsetEntry& entry : kCharsets) {
        if (sameName(entry.name, charset)) {
            return CharsetCodePage{entry.codePage, entry.singleByte};
        }
    }
    return std::nullopt;
}

std::optional<CodePageGuess> guessCodePage(std::string_view bytes, int systemCodePage,
                                           CharsetDetection detect) {
    if (auto guess = detectorsGuess(detect(detectionSample(bytes)), bytes, systemCodePage)) {
        return guess;
    }
    if (systemCodePage != kGbkCodePage && codePageAvailable(kGbkCodePage) && shapedLikeGbk(bytes)) {
        if (std::optional<std::string> text = decodeCodePageExactly(kGbkCodePage, bytes)) {
            return CodePageGuess{kGbkCodePage, std::move(*text)};
        }
    }
    return std::nullopt;
}

std::optional<CodePageGuess> guessCodePage(std::string_view bytes, int systemCodePage) {
    return guessCodePage(bytes, systemCodePage, detectCharset);
}

}  // namespace zor

#include "lyrics/online/NameMatch.h"

#include <array>
#include <vector>

#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

// U+0100 to U+017F (Latin Extended-A) without their marks, one letter each; Œ, œ, Ĳ and ĳ
// are spelt out apart.
constexpr std::string_view kExtendedA =
    "aaaaaaccccccccdddd"  // U+0100
    "eeeeeeeeee"          // U+0112
    "gggggggg"            // U+011C
    "hhhh"                // U+0124
    "iiiiiiiiii"          // U+0128
    "ij"                  // U+0132 (spelt out below)
    "jj"                  // U+0134
    "kkk"                 // U+0136
    "llllllllll"          // U+0139
    "nnnnnnnnn"           // U+0143
    "oooooo"              // U+014C
    "oe"                  // U+0152 (spelt out below)
    "rrrrrr"              // U+0154
    "ssssssss"            // U+015A
    "tttttt"              // U+0162
    "uuuuuuuuuuuu"        // U+0168
    "ww"                  // U+0174
    "yyy"                 // U+0176
    "zzzzzz"              // U+0179
    "s";                  // U+017F
static_assert(kExtendedA.size() == 0x80);

// U+00C0 to U+00FF without their marks; '*' stands for the signs that are not letters (× ÷),
// '#' for letters spelt out below.
constexpr std::string_view kLatin1 =
    "aaaaaa#ceeeeiiii"   // U+00C0
    "dnooooo*ouuuuy##"   // U+00D0
    "aaaaaa#ceeeeiiii"   // U+00E0
    "dnooooo*ouuuuy#y";  // U+00F0
static_assert(kLatin1.size() == 0x40);

// One code point's folded form: letters without marks, a space for punctuation, nothing for an
// apostrophe or a combining mark.
std::string foldCodePoint(char32_t c) {
    if (c < 0x80) {
        const char ascii = static_cast<char>(c);
        if (ascii >= 'A' && ascii <= 'Z') {
            return std::string(1, static_cast<char>(ascii - 'A' + 'a'));
        }
        if ((ascii >= 'a' && ascii <= 'z') || (ascii >= '0' && ascii <= '9')) {
            return std::string(1, ascii);
        }
        if (ascii == '\'' || ascii == '`') {
            return {};
        }
        if (ascii == '&') {
            return " and ";
        }
        return " ";
    }
    switch (c) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
        case 0x133:
            return "ij";
        case 0x152:
        case 0x153:
            return "oe";
        case 0x2018:
        case 0x2019:
        case 0x02BC:
            return {};  // typographic apostrophes
        default:
            break;
    }
    if (c >= 0xC0 && c <= 0xFF) {
        const char folded = kLatin1[c - 0xC0];
        return folded == '*' ? " " : std::string(1, folded);
    }
    if (c >= 0x100 && c <= 0x17F) {
        return std::string(1, kExtendedA[c - 0x100]);
    }
    if (c >= 0x300 && c <= 0x36F) {
        return {};  // combining marks of a decomposed accent
    }
    if ((c >= 0x80 && c <= 0xBF) || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F)) {
        return " ";  // Latin-1 signs, general and CJK punctuation
    }
    std::string kept;
    appendUtf8(kept, c);
    return kept;
}

std::vector<char32_t> codePoints(std::string_view text) {
    const std::string valid = toValidUtf8(text);
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < valid.size();) {
        const auto lead = static_cast<unsigned char>(valid[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1   ? lead
                         : length == 2 ? lead & 0x1FU
                         : length == 3 ? lead & 0x0FU
                                       : lead & 0x07U;
        for (std::size_t k = 1; k < length && i + k < valid.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(valid[i + k]) & 0x3FU);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

std::string collapseSpaces(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

bool startsWithWord(const std::string& text, std::string_view word) {
    return text.compare(0, word.size(), word) == 0 &&
           (text.size() == word.size() || text[word.size()] == ' ');
}

// A bracket's folded content that only notes a guest or a remaster.
bool isNote(const std::string& content) {
    for (const std::string_view guest : {"feat", "ft", "featuring", "with"}) {
        if (startsWithWord(content, guest)) {
            return true;
        }
    }
    return content.find("remaster") != std::string::npos;
}

// The text without trailing "(...)" or "[...]" groups that are notes.
std::string withoutTrailingNotes(std::string text) {
    for (;;) {
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        if (text.empty() || (text.back() != ')' && text.back() != ']')) {
            return text;
        }
        const char open = text.back() == ')' ? '(' : '[';
        const std::size_t start = text.rfind(open);
        if (start == std::string::npos || start == 0) {
            return text;
        }
        std::string content;
        for (const char32_t c : codePoints(text.substr(start + 1, text.size() - start - 2))) {
            content += foldCodePoint(c);
        }
        if (!isNote(collapseSpaces(content))) {
            return text;
        }
        text.erase(start);
    }
}

}  // namespace

std::string normaliseName(std::string_view name) {
    std::string folded;
    for (const char32_t c : codePoints(withoutTrailingNotes(std::string(name)))) {
        folded += foldCodePoint(c);
    }
    return collapseSpaces(folded);
}

NameRelation relateNames(std::string_view a, std::string_view b) {
    const std::string left = normaliseName(a);
    const std::string right = normaliseName(b);
    if (left.empty() || right.empty()) {
        return NameRelation::Unrelated;
    }
    if (left == right) {
        return NameRelation::Equal;
    }
    // The shorter as the first whole words of the longer: "ada park" and "ada park and band".
    const std::string& shorter = left.size() < right.size() ? left : right;
    const std::string& longer = left.size() < right.size() ? right : left;
    if (longer.compare(0, shorter.size(), shorter) == 0 && longer[shorter.size()] == ' ') {
        return NameRelation::Contained;
    }
    return NameRelation::Unrelated;
}

}  // namespace zor

// The per-file encoding decision on reading and its mirror on writing.
#include "lyrics/text/TextEncoding.h"

#include "lyrics/platform/CodePage.h"
#include "lyrics/text/Utf16.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

std::string TextEncoding::name() const {
    switch (kind) {
        case EncodingKind::Utf8Bom:
            return "utf-8-bom";
        case EncodingKind::Utf8:
            return "utf-8";
        case EncodingKind::Utf16Le:
            return "utf-16le";
        case EncodingKind::Utf16Be:
            return "utf-16be";
        case EncodingKind::CodePage:
            break;
    }
    return "cp" + std::to_string(resolveCodePage(codePage));
}

std::string_view lineEndText(LineEnd end) {
    switch (end) {
        case LineEnd::Lf:
            return "\n";
        case LineEnd::Cr:
            return "\r";
        case LineEnd::CrCrLf:
            return "\r\r\n";
        case LineEnd::CrLf:
            break;
    }
    return "\r\n";
}

FileForm fileForm(std::string_view bytes) {
    if (startsWith(bytes, kUtf8Bom)) {
        return FileForm::Utf8Bom;
    }
    if (startsWith(bytes, kUtf16LeBom)) {
        return FileForm::Utf16Le;
    }
    if (startsWith(bytes, kUtf16BeBom)) {
        return FileForm::Utf16Be;
    }
    if (isAscii(bytes)) {
        return FileForm::Ascii;
    }
    return isValidUtf8(bytes) ? FileForm::Utf8 : FileForm::CodePage;
}

DecodedText decodeFileText(std::string bytes, int fallbackCodePage) {
    const FileForm form = fileForm(bytes);
    return decodeFileText(std::move(bytes), fallbackCodePage, form);
}

DecodedText decodeFileText(std::string bytes, int fallbackCodePage, FileForm form) {
    switch (form) {
        case FileForm::Utf8Bom:
            bytes.erase(0, kUtf8Bom.size());
            if (!isValidUtf8(bytes)) {
                bytes = toValidUtf8(bytes);
            }
            return {{EncodingKind::Utf8Bom, 0}, std::move(bytes)};
        case FileForm::Utf16Le:
            return {{EncodingKind::Utf16Le, 0},
                    utf16BytesToUtf8(std::string_view(bytes).substr(2), ByteOrder::Little)};
        case FileForm::Utf16Be:
            return {{EncodingKind::Utf16Be, 0},
                    utf16BytesToUtf8(std::string_view(bytes).substr(2), ByteOrder::Big)};
        case FileForm::Ascii:
            // The same text in every code page the fallback may name.
            return {{EncodingKind::CodePage, fallbackCodePage}, std::move(bytes)};
        case FileForm::Utf8:
            return {{EncodingKind::Utf8, 0}, std::move(bytes)};
        case FileForm::CodePage:
            break;
    }
    return {{EncodingKind::CodePage, fallbackCodePage}, decodeCodePage(fallbackCodePage, bytes)};
}

std::optional<std::string> encodeFileText(const TextEncoding& encoding, std::string_view utf8) {
    switch (encoding.kind) {
        case EncodingKind::Utf8Bom:
            return std::string(kUtf8Bom) + toValidUtf8(utf8);
        case EncodingKind::Utf8:
            return toValidUtf8(utf8);
        case EncodingKind::Utf16Le:
            return std::string(kUtf16LeBom) + utf8ToUtf16Bytes(utf8, ByteOrder::Little);
        case EncodingKind::Utf16Be:
            return std::string(kUtf16BeBom) + utf8ToUtf16Bytes(utf8, ByteOrder::Big);
        case EncodingKind::CodePage:
            break;
    }
    return encodeCodePage(resolveCodePage(encoding.codePage), utf8);
}

}  // namespace zor

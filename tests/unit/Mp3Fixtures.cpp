#include "Mp3Fixtures.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zor::mp3fixtures {

std::string syncSafe(std::size_t size) {
    std::string bytes;
    for (int shift : {21, 14, 7, 0}) {
        bytes += static_cast<char>((size >> shift) & 0x7F);
    }
    return bytes;
}

std::string bigEndian32(std::size_t size) {
    std::string bytes;
    for (int shift : {24, 16, 8, 0}) {
        bytes += static_cast<char>((size >> shift) & 0xFF);
    }
    return bytes;
}

std::string id3v2Tag(int major, const std::string& frames, std::size_t padding) {
    return std::string("ID3") + static_cast<char>(major) + std::string(2, '\0') +
           syncSafe(frames.size() + padding) + frames + std::string(padding, '\0');
}

std::string id3Frame(const std::string& id, const std::string& body, int major) {
    return id + (major >= 4 ? syncSafe(body.size()) : bigEndian32(body.size())) +
           std::string(2, '\0') + body;
}

std::string textFrameBody(const std::string& latin1) {
    return std::string(1, '\0') + latin1;
}

std::string usltLatin1Body(const std::string& text) {
    return std::string("\0XXX\0", 5) + text;
}

std::string usltUtf16Body(const std::u16string& text, bool bigEndian) {
    const std::string bom = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::string units;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        units += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return std::string("\x01XXX", 4) + bom + std::string(2, '\0') + bom + units;
}

std::string audio(std::size_t size) {
    std::string bytes;
    bytes.reserve(size);
    unsigned state = 12345;
    for (std::size_t i = 0; i < size; ++i) {
        if (i % 417 == 0) {
            bytes += "\xFF\xFB";
            ++i;
            continue;
        }
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(i % 7 == 0 ? 0 : (state >> 16) & 0xFF);
    }
    bytes.resize(size);
    return bytes;
}

std::string id3v1Tag() {
    std::string tag = "TAG";
    tag += "Title";
    tag.resize(128, '\0');
    return tag;
}

std::string lyrics3v1(const std::string& text) {
    return "LYRICSBEGIN" + text + "LYRICSEND";
}

std::string lyrics3Field(const std::string& id, const std::string& data) {
    char length[8];
    std::snprintf(length, sizeof length, "%05zu", data.size());
    return id + length + data;
}

std::string lyrics3v2(const std::string& fields) {
    const std::string body = "LYRICSBEGIN" + fields;
    char size[8];
    std::snprintf(size, sizeof size, "%06zu", body.size());
    return body + size + "LYRICS200";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

}  // namespace zor::mp3fixtures

#pragma once

#include <string>

// Byte builders for small MP3 files: ID3v2 tags and frames, ID3v1 and Lyrics3 trailers, and
// stand-in audio data.
namespace zor::mp3fixtures {

std::string syncSafe(std::size_t size);
std::string bigEndian32(std::size_t size);

// An ID3v2 tag of the given major version holding frames, followed by padding zero bytes.
std::string id3v2Tag(int major, const std::string& frames, std::size_t padding = 0);
// A frame of a version 2.3 (or with major 4, 2.4) tag.
std::string id3Frame(const std::string& id, const std::string& body, int major = 3);
std::string textFrameBody(const std::string& latin1);  // TIT2, TPE1, ...
std::string usltLatin1Body(const std::string& text);
// UTF-16 with a byte-order mark, little-endian unless bigEndian; the description is empty.
std::string usltUtf16Body(const std::u16string& text, bool bigEndian);

// Audio stand-in: frame-sync bytes, NULs and every other byte value, reproducible.
std::string audio(std::size_t size);
std::string id3v1Tag();

std::string lyrics3v1(const std::string& text);
std::string lyrics3Field(const std::string& id, const std::string& data);
// "LYRICSBEGIN", the fields, the six size digits and "LYRICS200".
std::string lyrics3v2(const std::string& fields);

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

}  // namespace zor::mp3fixtures

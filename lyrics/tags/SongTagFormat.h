#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace TagLib {
class IOStream;
}

namespace zor {

// One kind of song whose own tags may hold lyrics, read (and for some, stored) through TagLib.
// Each kind lives in a file of its own; SongLyrics picks one by the song's extension.
class SongTagFormat {
  public:
    virtual ~SongTagFormat() = default;

    // The name the user knows the file by: "FLAC" in "Save INTO FLAC FILE???".
    virtual std::string name() const = 0;
    // The song's lyrics as UTF-8, or nothing when its tags hold none (or cannot be read).
    virtual std::optional<std::string> readLyrics(TagLib::IOStream& song) const = 0;

    // Storing. A format that cannot store refuses every song.
    virtual bool canStore() const { return false; }
    // Replaces the lyrics in a song held in memory; the error for the user when the song cannot
    // be parsed in full (nothing is then written), empty when stored.
    virtual std::string storeLyrics(TagLib::IOStream& /*song*/, const std::string& /*text*/) const {
        return "this kind of file cannot hold lyrics";
    }
    // The song's audio, which no store may change; nothing when its layout is not understood.
    virtual std::optional<std::string> audioOf(std::string_view /*song*/) const {
        return std::nullopt;
    }
    // Everything the tags hold besides the lyrics, in a form that compares: a store keeps it.
    virtual std::string otherTagsOf(TagLib::IOStream& /*song*/) const { return {}; }
};

// The formats, one object each.
const SongTagFormat& id3v2Format();  // MP3 songs: the ID3v2 tag in any version, through TagLib
const SongTagFormat& flacFormat();
const SongTagFormat& oggVorbisFormat();
const SongTagFormat& opusFormat();
const SongTagFormat& mp4Format();
// The APE tag at the end of a song, found by the song's own container.
enum class ApeContainer { Mp3, MonkeysAudio, Musepack, WavPack };
const SongTagFormat& apeTagFormat(ApeContainer container);
const SongTagFormat& asfFormat();

}  // namespace zor

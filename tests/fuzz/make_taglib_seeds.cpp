// Writes the seed corpus of the TagLib targets: small songs of each kind with lyrics tags, made by
// TagLib from the unit tests' fixtures. Run once when the fixtures change:
//   cmake --build build/fuzz --target make_taglib_seeds && build/fuzz/tests/fuzz/make_taglib_seeds
//   tests/fuzz/corpus
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>

#include "Mp3Fixtures.h"
#include "SongFixtures.h"
#include "TagLibFixtures.h"

namespace {

using namespace TagLib;
using namespace zor;

const String kLyrics("[00:01.00]Première\r\n[00:02.50]歌 two", String::UTF8);

std::string bytesOf(ByteVectorStream& stream) {
    return std::string(stream.data()->data(), stream.data()->size());
}

template <typename File>
File open(ByteVectorStream& stream) {
    if constexpr (std::is_same_v<File, FLAC::File>) {
        return File(&stream, ID3v2::FrameFactory::instance(), false);
    } else {
        return File(&stream, false);
    }
}

// The song's bytes after TagLib has added tags to them in memory.
template <typename File, typename AddTags>
std::string tagged(const std::string& song, AddTags addTags) {
    ByteVectorStream stream(ByteVector(song.data(), static_cast<unsigned int>(song.size())));
    {
        File file = open<File>(stream);
        addTags(file);
        file.save();
    }
    return bytesOf(stream);
}

void write(const std::filesystem::path& folder, const std::string& name, char mode,
           const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << mode << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path corpus = argv[1];

    const auto id3 = corpus / "taglib_id3v2";
    for (const auto encoding : {String::Latin1, String::UTF16, String::UTF8}) {
        const std::string song = taglibfixtures::mp3WithTag(
            [&](ID3v2::Tag& tag) {
                auto* frame = new ID3v2::UnsynchronizedLyricsFrame(encoding);
                frame->setText(encoding == String::Latin1 ? String("plain\r\nlines") : kLyrics);
                tag.addFrame(frame);
            },
            0);
        write(id3, "v24-uslt-" + std::to_string(encoding), '\0', song);
    }
    write(id3, "v24-sylt", '\1',
          taglibfixtures::mp3WithTag(
              [](ID3v2::Tag& tag) {
                  auto* frame = new ID3v2::SynchronizedLyricsFrame(String::UTF16);
                  frame->setTimestampFormat(ID3v2::SynchronizedLyricsFrame::AbsoluteMilliseconds);
                  ID3v2::SynchronizedLyricsFrame::SynchedTextList list;
                  list.append({1000, "Hel"});
                  list.append({1500, "lo\n"});
                  list.append({3000, "World"});
                  frame->setSynchedText(list);
                  tag.addFrame(frame);
              },
              0));
    write(id3, "v24-txxx", '\0',
          taglibfixtures::mp3WithTag(
              [](ID3v2::Tag& tag) {
                  tag.addFrame(
                      new ID3v2::UserTextIdentificationFrame("SYNCEDLYRICS", StringList(kLyrics)));
              },
              0));

    write(corpus / "taglib_flac", "lyrics", '\0',
          tagged<FLAC::File>(songfixtures::flacSong(200), [](FLAC::File& f) {
              f.xiphComment(true)->addField("LYRICS", kLyrics);
              f.xiphComment(true)->addField("TITLE", "T");
          }));
    write(corpus / "taglib_ogg", "vorbis", '\0',
          tagged<Ogg::Vorbis::File>(songfixtures::oggVorbisSong(2), [](Ogg::Vorbis::File& f) {
              f.tag()->addField("SYNCEDLYRICS", kLyrics);
          }));
    write(corpus / "taglib_ogg", "opus", '\1',
          tagged<Ogg::Opus::File>(songfixtures::opusSong(2), [](Ogg::Opus::File& f) {
              f.tag()->addField("UNSYNCED LYRICS", kLyrics);
          }));
    write(corpus / "taglib_mp4", "lyr", '\0',
          tagged<MP4::File>(songfixtures::m4aSong(200), [](MP4::File& f) {
              f.tag()->setItem(String("\251lyr", String::Latin1), StringList(kLyrics));
          }));
    const std::string mp3Ape = [] {
        ByteVectorStream stream(ByteVector(mp3fixtures::audio(300).c_str(), 300));
        {
            MPEG::File file(&stream, ID3v2::FrameFactory::instance(), false);
            file.APETag(true)->addValue("Lyrics", kLyrics);
            file.save(MPEG::File::APE, File::StripNone);
        }
        return bytesOf(stream);
    }();
    write(corpus / "taglib_ape", "mp3", '\0', std::string(1, '\0') + mp3Ape);
    write(corpus / "taglib_asf", "lyrics", '\0',
          songfixtures::asfSong(u"[00:01.00]Premi\u00E8re\r\n[00:02.50]two"));
    return 0;
}

// Lyrics inside songs, read through TagLib: ID3v2.4 frames, synchronised lyrics, user text, and
// the tags of FLAC, Ogg, Opus, MP4 and APE songs. The songs are made here, their tags by TagLib.
#include <gtest/gtest.h>
#include <taglib/apetag.h>
#include <taglib/flacfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/synchronizedlyricsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>

#include <functional>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Mp3Fixtures.h"
#include "SongFixtures.h"
#include "TagLibFixtures.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

using namespace TagLib;
using test::FakeHostLink;
using test::RecordingPrompt;
using test::TempFolder;

const String::Type kEncodings[] = {String::Latin1, String::UTF16, String::UTF16BE, String::UTF8};

String utf8(const std::string& text) {
    return String(text, String::UTF8);
}

// Loads a song in edit mode, where the list holds the raw lines, and in display mode for its label.
class SongTags : public ::testing::Test {
  protected:
    std::vector<std::string> rawLines(const std::string& song) {
        MemoryLineList lyricsList{false};
        MemoryLineList editList{true};
        LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
        core.loadLyrics(song);
        internal = core.internalLyrics;
        return editList.items();
    }
    std::string label(const std::string& song) {
        MemoryLineList lyricsList{true};
        MemoryLineList editList{false};
        LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
        core.loadLyrics(song);
        const std::string title = lyricsList.text(0);
        const auto open = title.rfind(" (");
        return open == std::string::npos ? title : title.substr(open + 1);
    }
    std::string song(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }

    TempFolder dir;
    FakeHostLink host;
    RecordingPrompt prompt;
    int internal = 0;
};

TEST_F(SongTags, Id3v24LyricsFrameInEveryEncoding) {
    for (const String::Type encoding : kEncodings) {
        SCOPED_TRACE(static_cast<int>(encoding));
        const std::string text =
            encoding == String::Latin1 ? "Grüße\r\nzwei" : "Grüße \xE2\x99\xAA 歌 𝄞\r\nzwei";
        const std::string path =
            song("Song.mp3", taglibfixtures::mp3WithTag([&](ID3v2::Tag& tag) {
                     tag.addFrame(new ID3v2::TextIdentificationFrame("TIT2", String::Latin1));
                     auto* lyrics = new ID3v2::UnsynchronizedLyricsFrame(encoding);
                     lyrics->setLanguage("eng");
                     lyrics->setText(utf8(text));
                     tag.addFrame(lyrics);
                 }));
        EXPECT_EQ(rawLines(path),
                  (std::vector<std::string>{text.substr(0, text.find('\r')), "zwei"}));
        EXPECT_EQ(internal, 1);
        EXPECT_EQ(label(path), "(I.L)");
    }
}

TEST_F(SongTags, SynchronisedLyricsBecomeTimedLines) {
    using Sylt = ID3v2::SynchronizedLyricsFrame;
    struct Case {
        const char* name;
        Sylt::TimestampFormat format;
        std::vector<std::pair<unsigned, std::string>> entries;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a line an entry",
         Sylt::AbsoluteMilliseconds,
         {{1000, "First line"}, {62500, "Second"}, {6000123, "Late"}},
         {"[00:01.00]First line", "[01:02.50]Second", "[100:00.12]Late"}},
        {"syllables broken by the text",
         Sylt::AbsoluteMilliseconds,
         {{1000, "Hel"}, {1500, "lo\n"}, {3000, "Wor"}, {3400, "ld"}, {5000, "\nAgain"}},
         {"[00:01.00]Hello", "[00:03.00]World", "[00:05.00]Again"}},
        {"entries ending in CR LF",
         Sylt::AbsoluteMilliseconds,
         {{1000, "One\r\n"}, {2000, "Two\r\n"}, {3000, "Three"}},
         {"[00:01.00]One", "[00:02.00]Two", "[00:03.00]Three"}},
        {"frame counts are no times",
         Sylt::AbsoluteMpegFrames,
         {{10, "One"}, {20, "Two"}},
         {"One", "Two"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = song("Sylt.mp3", taglibfixtures::mp3WithTag([&](ID3v2::Tag& tag) {
                                          auto* frame = new Sylt(String::UTF16);
                                          frame->setTimestampFormat(c.format);
                                          Sylt::SynchedTextList list;
                                          for (const auto& [time, text] : c.entries) {
                                              list.append(Sylt::SynchedText(time, utf8(text)));
                                          }
                                          frame->setSynchedText(list);
                                          tag.addFrame(frame);
                                      }));
        EXPECT_EQ(rawLines(path), c.lines);
        EXPECT_EQ(label(path), c.format == Sylt::AbsoluteMilliseconds ? "(I.T.L)" : "(I.L)");
    }
}

TEST_F(SongTags, TheFirstSourceInsideAnMp3Wins) {
    auto uslt = [](const std::string& text) {
        auto* frame = new ID3v2::UnsynchronizedLyricsFrame(String::UTF8);
        frame->setText(utf8(text));
        return frame;
    };
    auto sylt = [](const std::string& text) {
        auto* frame = new ID3v2::SynchronizedLyricsFrame(String::UTF8);
        ID3v2::SynchronizedLyricsFrame::SynchedTextList list;
        list.append(ID3v2::SynchronizedLyricsFrame::SynchedText(2000, utf8(text)));
        frame->setSynchedText(list);
        return frame;
    };
    auto txxx = [](const std::string& name, const std::string& text) {
        return new ID3v2::UserTextIdentificationFrame(utf8(name), StringList(utf8(text)));
    };
    struct Case {
        const char* name;
        std::function<void(ID3v2::Tag&)> frames;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"lyrics frame before synchronised lyrics",
         [&](ID3v2::Tag& t) {
             t.addFrame(sylt("timed"));
             t.addFrame(uslt("plain"));
         },
         {"plain"}},
        {"synchronised lyrics before user text",
         [&](ID3v2::Tag& t) {
             t.addFrame(txxx("LYRICS", "user"));
             t.addFrame(sylt("timed"));
         },
         {"[00:02.00]timed"}},
        {"an empty lyrics frame hides nothing",
         [&](ID3v2::Tag& t) {
             t.addFrame(uslt(""));
             t.addFrame(txxx("lyrics", "user text"));
         },
         {"user text"}},
        {"user text named LYRICS before SYNCEDLYRICS",
         [&](ID3v2::Tag& t) {
             t.addFrame(txxx("SYNCEDLYRICS", "[00:03]synced"));
             t.addFrame(txxx("LYRICS", "unsynced"));
         },
         {"unsynced"}},
        {"user text under another name is no lyrics",
         [&](ID3v2::Tag& t) { t.addFrame(txxx("COMMENTS", "not lyrics")); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rawLines(song("Order.mp3", taglibfixtures::mp3WithTag(c.frames))), c.lines);
    }
}

TEST_F(SongTags, UserTextInAVersion23TagIsReadToo) {
    using namespace mp3fixtures;
    // TXXX: encoding, description, NUL, value; id3lib finds no lyrics frame, TagLib this one.
    const std::string body = std::string("\0SYNCEDLYRICS\0[00:04.00]from v2.3", 33);
    const std::string path = song("V23.mp3", id3v2Tag(3, id3Frame("TXXX", body)) + audio(2000));
    EXPECT_EQ(rawLines(path), (std::vector<std::string>{"[00:04.00]from v2.3"}));
    EXPECT_EQ(label(path), "(I.T.L)");
}

// Writes the song's bytes, then lets TagLib add the lyrics under the given name.
template <typename File>
std::string tagged(const std::string& path, const std::string& bytes,
                   const std::function<void(File&)>& addTags) {
    taglibfixtures::writeBytes(path, bytes);
    File file(path.c_str(), false);
    EXPECT_TRUE(file.isValid()) << path;
    addTags(file);
    EXPECT_TRUE(file.save()) << path;
    return path;
}

TEST_F(SongTags, LyricsInTheTagsOfOtherKindsOfSong) {
    const std::string timed = "[00:01.50]Première\r\n[00:03.00]Zweite";
    struct Case {
        const char* name;
        std::function<std::string()> make;
        const char* label;
    };
    std::vector<Case> cases = {
        {"FLAC LYRICS",
         [&] {
             return tagged<FLAC::File>(dir / "a.flac", songfixtures::flacSong(), [&](auto& f) {
                 f.xiphComment(true)->addField("LYRICS", utf8(timed));
             });
         },
         "(I.T.L)"},
        {"FLAC UNSYNCED LYRICS",
         [&] {
             return tagged<FLAC::File>(dir / "b.FLAC", songfixtures::flacSong(), [&](auto& f) {
                 f.xiphComment(true)->addField("UNSYNCED LYRICS", utf8(timed));
             });
         },
         "(I.T.L)"},
        {"Ogg Vorbis SYNCEDLYRICS",
         [&] {
             return tagged<Ogg::Vorbis::File>(
                 dir / "c.ogg", songfixtures::oggVorbisSong(),
                 [&](auto& f) { f.tag()->addField("SYNCEDLYRICS", utf8(timed)); });
         },
         "(I.T.L)"},
        {"Opus UNSYNCEDLYRICS",
         [&] {
             return tagged<Ogg::Opus::File>(dir / "d.opus", songfixtures::opusSong(), [&](auto& f) {
                 f.tag()->addField("UNSYNCEDLYRICS", utf8(timed));
             });
         },
         "(I.T.L)"},
        {"Opus in an .ogg file",
         [&] {
             return tagged<Ogg::Opus::File>(dir / "e.ogg", songfixtures::opusSong(), [&](auto& f) {
                 f.tag()->addField("LYRICS", utf8(timed));
             });
         },
         "(I.T.L)"},
        {"M4A ©lyr",
         [&] {
             return tagged<MP4::File>(dir / "f.m4a", songfixtures::m4aSong(), [&](auto& f) {
                 f.tag()->setItem(String("\251lyr", String::Latin1), StringList(utf8(timed)));
             });
         },
         "(I.T.L)"},
        {"APE tag in an MP3",
         [&] {
             const std::string path = dir / "g.mp3";
             taglibfixtures::writeBytes(path, mp3fixtures::audio(3000));
             MPEG::File file(path.c_str(), false);
             file.APETag(true)->addValue("Lyrics", utf8(timed));
             EXPECT_TRUE(file.save(MPEG::File::APE, File::StripNone));
             return path;
         },
         "(I.T.L)"},
    };
    cases.push_back({"WMA WM/Lyrics",
                     [&] {
                         return song("h.wma", songfixtures::asfSong(
                                                  u"[00:01.50]Premi\u00E8re\r\n[00:03.00]Zweite"));
                     },
                     "(I.T.L)"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.make();
        EXPECT_EQ(rawLines(path),
                  (std::vector<std::string>{"[00:01.50]Première", "[00:03.00]Zweite"}));
        EXPECT_EQ(internal, 1);
        EXPECT_EQ(label(path), c.label);
    }
}

// TagLib reads as many ASF attributes as a count claims, room or not: a 170-byte song made it build
// millions of them. Such a count keeps the song from TagLib.
TEST_F(SongTags, AnAsfAttributeCountWithoutRoomIsNotHandedToTagLib) {
    EXPECT_EQ(rawLines(song("fits.wma", songfixtures::asfSong(u"one line", 1))),
              (std::vector<std::string>{"one line"}));
    EXPECT_TRUE(rawLines(song("claims.wma", songfixtures::asfSong(u"one line", 65535))).empty());
    // The song the fuzzer found: a header that claims no size and objects that claim thousands.
    const std::string found = songfixtures::asfSong(u"x", 40000);
    EXPECT_TRUE(
        rawLines(song("found.wma", found.substr(0, 16) + std::string(8, '\0') + found.substr(24)))
            .empty());
}

TEST_F(SongTags, ASongWithoutLyricsOrBrokenShowsNone) {
    const std::vector<std::pair<std::string, std::string>> songs = {
        {"plain.flac", songfixtures::flacSong()},
        {"plain.ogg", songfixtures::oggVorbisSong()},
        {"plain.m4a", songfixtures::m4aSong()},
        {"cut.flac", songfixtures::flacSong().substr(0, 20)},
        {"cut.ogg", songfixtures::oggVorbisSong().substr(0, 50)},
        {"cut.m4a", songfixtures::m4aSong().substr(0, 40)},
        {"noise.wma", mp3fixtures::audio(500)},
        {"noise.wv", mp3fixtures::audio(500)},
        {"empty.opus", ""},
    };
    for (const auto& [name, bytes] : songs) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(rawLines(song(name, bytes)).empty());
        EXPECT_EQ(internal, 1);
    }
}

}  // namespace
}  // namespace zor

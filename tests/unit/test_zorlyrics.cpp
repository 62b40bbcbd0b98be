#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Fakes.h"
#include "SongFixtures.h"
#include "TextBytes.h"

namespace zor {
namespace {

using test::TempFolder;
using test::utf16;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (char c : argument) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

class Zorlyrics : public ::testing::Test {
  protected:
    Outcome run(const std::vector<std::string>& arguments) {
        std::string command = quoted(ZOR_ZORLYRICS);
        for (const std::string& argument : arguments) {
            command += " " + quoted(argument);
        }
        const std::string errors = dir / "stderr.txt";
        command += " 2>" + quoted(errors);
        Outcome result;
        FILE* pipe = ::popen(command.c_str(), "r");  // closed by pclose below
        if (pipe == nullptr) {
            return result;
        }
        char buffer[512];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream in(errors);
        std::stringstream text;
        text << in.rdbuf();
        result.err = text.str();
        return result;
    }

    TempFolder dir;
};

// Two MPEG audio frames with no tag.
std::string bareMp3() {
    std::string frame = std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\0');
    return frame + frame;
}

const char* const kTimedLyrics = "[ti:T]\r\nCredits\r\n[00:12.90]First\r\n[00:15]Second\r\n";

TEST_F(Zorlyrics, ReadPrintsItemsTagsAndLines) {
    const std::string file = dir.write("s.lrc", kTimedLyrics);
    const Outcome r = run({"read", "--count", "2", "--at", "0", "--at", "13", "--at", "20", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "encoding cp1252\nitems 4\n0\theader 0\n1\theader 1\n2\tFirst\n3\tSecond\ndropped "
              "2\ntags 2\n"
              "12\t2\n15\t3\nat 0\tnone\nat 13\t2\nat 20\t3\n");
}

TEST_F(Zorlyrics, PreciseReadPrintsMillisecondsAndAsksForFractions) {
    const std::string file = dir.write("p.lrc",
                                       "[offset:+200]\r\n[00:01.00]<00:01.00>One <00:01.50>word\r\n"
                                       "[00:07.50]Two\r\n");
    const Outcome precise = run({"read", "--precise", "--offset", "-100", "--at", "7.39", "--at",
                                 "7.4", "--at", "0.5", file});
    EXPECT_EQ(precise.status, 0) << precise.err;
    EXPECT_EQ(precise.out,
              "encoding cp1252\nitems 2\n0\tOne word\n1\tTwo\ndropped 1\n"
              "offset 200\nadjustment -100\ntags 2\n1000\t0\n7500\t1\n"
              "at 7.39\t0\nat 7.4\t1\nat 0.5\tnone\n");
    // By default whole seconds, no offset: 7.39 is second 7, Two's.
    const Outcome plain = run({"read", "--at", "7.39", "--at", "6.999", file});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out,
              "encoding cp1252\nitems 2\n0\tOne word\n1\tTwo\ndropped 1\ntags 2\n1\t0\n7\t1\n"
              "at 7.39\t1\nat 6.999\t0\n");
}

TEST_F(Zorlyrics, PreciseShowNamesTheEncodingAheadOfTheOffset) {
    // UTF-8 text with word tags: the tags go, the text stays whole. The offset and the adjustment
    // together put the tag 250 ms earlier: at 1.99 s the lyrics' time is 2.24 s.
    dir.write("Song.lrc", "[offset:-50]\r\n[00:02.25]<00:02.25>Ünï <00:02.80>кот\r\n");
    const std::string song = dir / "Song.mp3";
    const Outcome r =
        run({"show", "--precise", "--offset", "300", "--at", "1.99", "--at", "2", song});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "source E.T.L\nlyricsPath " + (dir / "Song.lrc") +
                         "\ncurrentExt LRC\nencoding utf-8\nheaderLines 3\nitems 4\n"
                         "0\t\"Song.mp3\" (E.T.L)\n1\t" +
                         song +
                         "\n2\t\n3\tÜnï кот\ndropped 1\noffset -50\nadjustment 300\n"
                         "tags 1\n2250\t3\nat 1.99\tnone\nat 2\t3\n");
}

TEST_F(Zorlyrics, ReadInEditModeKeepsRawLines) {
    const std::string file = dir.write("s.lrc", kTimedLyrics);
    const Outcome r = run({"read", "--edit", file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "encoding cp1252\nitems "
              "5\n0\t[ti:T]\n1\tCredits\n2\t[00:12.90]First\n3\t[00:15]Second\n4\t\n"
              "dropped 0\ntags 2\n12\t2\n15\t3\n");
}

TEST_F(Zorlyrics, ShowRunsTheLoadWithMetadataAndAlternativeFolder) {
    dir.write("alt/song.txt", "Hello\r\n");
    dir.write("Song.LRC", "[00:01]Beside\r\n");  // loses to the alternative folder's TXT
    const std::string song = dir / "Song.mp3";
    const Outcome r =
        run({"show", "--alt", dir / "alt", "--meta", "Title=Song", "--meta", "Artist=Band",
             "--meta", "Album=Disc", "--meta", "Year=", "--meta", "Date=2001", song});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "source E.L\nlyricsPath " + (dir / "alt/song.txt") +
                         "\ncurrentExt TXT\nencoding cp1252\nheaderLines 4\nitems 5\n"
                         "0\t\"Song\" by \"Band\" (E.L)\n1\tfrom \"Disc\"\n2\t" +
                         song + "\n3\t\n4\tHello\ndropped 0\ntags 0\n");
}

TEST_F(Zorlyrics, ShowWithNothingFoundStillSucceeds) {
    const std::string song = dir / "Quiet.ogg";
    const Outcome r = run({"show", "--playlist-title", "Band - Tune", "--at", "3", song});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "source none\nlyricsPath \ncurrentExt LRC\nencoding cp1252\nheaderLines 3\n"
              "items 4\n"
              "0\t\"Tune\" by \"Band\"\n1\t" +
                  song + "\n2\t\n3\tLyrics unavailable\ndropped 0\ntags 0\nat 3\tnone\n");
}

TEST_F(Zorlyrics, ShowInEditMode) {
    dir.write("Song.LRC", "[00:01]One\r\n");
    const Outcome r = run({"show", "--edit", "--at", "1", dir / "Song.mp3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "source E.T.L\nlyricsPath " + (dir / "Song.LRC") +
                         "\ncurrentExt LRC\nencoding cp1252\nheaderLines 0\nitems 2\n"
                         "0\t[00:01]One\n1\t\n"
                         "dropped 0\ntags 1\n1\t0\nat 1\t0\n");
}

TEST_F(Zorlyrics, BadArgumentsGiveOneLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"read"},
        {"read", "a", "b"},
        {"read", "--count", "x", "f"},
        {"read", "--count", "-1", "f"},
        {"read", "--alt", "d", "f"},
        {"read", "--at"},
        {"read", "--at", "7.", "f"},
        {"read", "--at", "-1", "f"},
        {"read", "--offset", "1.5", "f"},
        {"read", "--offset", "60001", "f"},
        {"embed", "--precise", "a.mp3", "b.lrc"},
        {"show", "--meta", "Mood=sad", "s"},
        {"show", "--meta", "Title", "s"},
        {"show", "--count", "2", "s"},
        {"embed", "one"},
        {"embed", "--edit", "a.mp3", "b.lrc"},
        {"read", "--codepage", "x", "f"},
        {"read", "--codepage", "99999", "f"},
        {"read", dir / "missing.lrc"},
    };
    for (const auto& arguments : cases) {
        const Outcome r = run(arguments);
        const std::string context = arguments.empty() ? "(none)" : arguments[0];
        EXPECT_EQ(r.status, 2) << context;
        EXPECT_EQ(r.out, "") << context;
        EXPECT_EQ(r.err.rfind("zorlyrics: ", 0), 0u) << context << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << context << ": " << r.err;
    }
}

TEST_F(Zorlyrics, HelpPrintsUsage) {
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"zorlyrics read", "zorlyrics show", "zorlyrics embed"}) {
        EXPECT_NE(r.out.find(command), std::string::npos) << command;
    }
}

TEST_F(Zorlyrics, EmbedRefusesWhatItCannotStore) {
    const std::string lyrics = dir.write("l.lrc", "[00:01]One\r\n");
    const std::string empty = dir.write("empty.lrc", "");
    const std::string song = dir.write("Song.mp3", bareMp3());
    const std::string ogg = dir.write("Song.ogg", bareMp3());
    const std::vector<std::vector<std::string>> cases = {
        {"embed", ogg, lyrics},                  // not an Ogg stream
        {"embed", dir / "Song.wav", lyrics},     // a kind of song that holds no lyrics
        {"embed", dir / "Missing.mp3", lyrics},  // no song
        {"embed", song, dir / "missing.lrc"},    // no lyrics file
        {"embed", song, empty},                  // nothing to store
    };
    for (const auto& arguments : cases) {
        const Outcome r = run(arguments);
        EXPECT_EQ(r.status, 1) << arguments[1] << " " << arguments[2];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    std::ifstream in(song, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bareMp3());
}

TEST_F(Zorlyrics, EmbedStoresRawLinesThatShowReadsBack) {
    const std::string lyrics = dir.write("l.lrc", "[ti:T]\r\n[00:02]Two\r\n");
    // An MP3 keeps Latin-1 text in its frame; the other kinds' tags hold UTF-8.
    struct Case {
        const char* name;
        std::string bytes;
        const char* encoding;
    };
    for (const auto& [name, bytes, encoding] :
         {Case{"Song.mp3", bareMp3(), "cp28591"},
          Case{"Song.flac", songfixtures::flacSong(), "utf-8"},
          Case{"Song.opus", songfixtures::opusSong(), "utf-8"},
          Case{"Song.m4a", songfixtures::m4aSong(), "utf-8"}}) {
        SCOPED_TRACE(name);
        const std::string song = dir.write(name, bytes);
        const Outcome stored = run({"embed", song, lyrics});
        EXPECT_EQ(stored.status, 0) << stored.err;
        EXPECT_EQ(stored.out, "stored 3 lines\n");

        const Outcome again = run({"embed", song, lyrics});  // the song holds them already
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, "stored 3 lines\n");

        const Outcome shown = run({"show", "--edit", song});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(shown.out, std::string("source I.T.L\nlyricsPath \ncurrentExt LRC\nencoding ") +
                                 encoding +
                                 "\nheaderLines 0\nitems 3\n"
                                 "0\t[ti:T]\n1\t[00:02]Two\n2\t\ndropped 0\ntags 1\n2\t1\n");
    }
}

// The first line of read names the encoding; every text comes out as UTF-8.
TEST_F(Zorlyrics, ReadNamesTheEncodingAndPrintsUtf8) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> options;
        const char* encoding;
    };
    const Case cases[] = {
        {"utf-8 with a mark", "\xEF\xBB\xBF[00:01]caf\xC3\xA9", {}, "utf-8-bom"},
        {"utf-8", "[00:01]caf\xC3\xA9", {}, "utf-8"},
        {"utf-16le", "\xFF\xFE" + utf16(u"[00:01]caf\u00E9", false), {}, "utf-16le"},
        {"utf-16be", "\xFE\xFF" + utf16(u"[00:01]caf\u00E9", true), {}, "utf-16be"},
        {"windows-1252 by default", "[00:01]caf\xE9", {}, "cp1252"},
        {"windows-1251 asked for", "[00:01]\xEA\xE0\xF4\xE5", {"--codepage", "1251"}, "cp1251"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.write("e.lrc", c.bytes);
        std::vector<std::string> arguments{"read"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.push_back(file);
        const Outcome r = run(arguments);
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string text = c.options.empty() ? "café" : "кафе";
        EXPECT_EQ(r.out, std::string("encoding ") + c.encoding + "\nitems 1\n0\t" + text +
                             "\ndropped 0\ntags 1\n1\t0\n");
    }
}

TEST_F(Zorlyrics, ReadSaysWhenTheCodePageWasGuessedAndTheOptionStillForcesOne) {
    // "[00:01]我们一起唱歌" and "[00:03]再见" in GBK.
    const std::string file =
        dir.write("g.lrc",
                  "[00:01]\xCE\xD2\xC3\xC7\xD2\xBB\xC6\xF0\xB3\xAA\xB8\xE8\r\n"
                  "[00:03]\xD4\xD9\xBC\xFB\xD4\xD9\xBC\xFB\xD4\xD9\xBC\xFB\xD4\xD9\xBC\xFB");
    const Outcome guessed = run({"read", file});
    EXPECT_EQ(guessed.status, 0) << guessed.err;
    EXPECT_EQ(guessed.out,
              "encoding cp936 (guessed)\nitems 2\n0\t我们一起唱歌\n1\t再见再见再见再见\n"
              "dropped 0\ntags 2\n1\t0\n3\t1\n");
    const Outcome forced = run({"read", "--codepage", "1252", file});
    EXPECT_EQ(forced.out.substr(0, forced.out.find('\n')), "encoding cp1252");
}

TEST_F(Zorlyrics, SameTimeListsEveryLineOfTheMomentWithTheSelectedLast) {
    const std::string file = dir.write(
        "t.lrc",
        "[00:01]Intro\n[00:05]Sung\n[00:05]Translated\n[00:09]Next\n[00:05][00:12]Again\n");
    const Outcome r = run({"read", "--same-time", "--at", "0", "--at", "2", "--at", "6", "--at",
                           "10", "--at", "13", file});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string out = r.out.substr(r.out.find("at 0"));
    EXPECT_EQ(out, "at 0\tnone\nat 2\t0\nat 6\t1,2,4\nat 10\t3\nat 13\t4\n");
    // Without the option, only the selected line: the last of the tie.
    const Outcome plain = run({"read", "--at", "6", file});
    EXPECT_EQ(plain.out.substr(plain.out.find("at 6")), "at 6\t4\n");
}

TEST_F(Zorlyrics, ShowNamesTheEncodingOfAFrameBeyondLatin1) {
    const std::string song = dir.write("Song.mp3", bareMp3());
    const std::string lyrics =
        dir.write("l.lrc", "[00:02]\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F");
    ASSERT_EQ(run({"embed", song, lyrics}).status, 0);
    const Outcome shown = run({"show", "--edit", song});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "source I.T.L\nlyricsPath \ncurrentExt LRC\nencoding utf-16le\nheaderLines 0\n"
              "items 1\n0\t[00:02]Песня\ndropped 0\ntags 1\n2\t0\n");
}

}  // namespace
}  // namespace zor

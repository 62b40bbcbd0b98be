// Files and paths that a player's library hands the plug-in on a bad day: huge or binary lyrics,
// names that are folders or pipes, long and odd song paths, songs that vanish or cannot be
// written, a full disk, and settings files nobody wrote by hand.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "Fakes.h"
#include "FaultyFileSystem.h"
#include "Mp3Fixtures.h"
#include "config/IniFile.h"
#include "config/SettingsStore.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/tags/Id3Guard.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/text/Utf8.h"

#include <id3/readers.h>
#include <id3/tag.h>
#include <zlib.h>

namespace zor {
namespace {

namespace fs = std::filesystem;
using namespace mp3fixtures;
using test::FakeHostLink;
using test::FaultyFileSystem;
using test::RecordingPrompt;
using test::TempFolder;

// Bytes of every value, NULs and lone CRs included, in a reproducible order.
std::string binaryJunk(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 2463534242U;
    for (char& c : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(state & 0xFF);
    }
    return bytes;
}

class HostileInputs : public ::testing::Test {
  protected:
    HostileInputs() { fs::create_directories(dir.path() / "music"); }

    std::string song(const std::string& name = "Song.mp3") const { return dir / ("music/" + name); }
    std::string beside(const std::string& name) const { return dir / ("music/" + name); }

    // Every item fits the list and holds no NUL; the table ends within its size.
    void expectSaneLists() const {
        for (const MemoryLineList* list : {&lyricsList, &editList}) {
            for (const std::string& item : list->items()) {
                ASSERT_LE(utf8CharCount(item), kMaxItemChars);
                ASSERT_TRUE(isValidUtf8(item));
                ASSERT_EQ(item.find('\0'), std::string::npos);
            }
        }
        for (const TimeTag& tag : core.timeTags) {
            ASSERT_GE(tag.seconds, 0);
            ASSERT_GE(tag.line, 0);
        }
    }

    void useEditMode() {
        lyricsList.setVisible(false);
        editList.setVisible(true);
    }

    TempFolder dir;
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    FakeHostLink host;
    RecordingPrompt prompt;
    FaultyFileSystem files{platformFileSystem()};
    LyricsCore core{lyricsList, editList, host, prompt, files};
};

TEST_F(HostileInputs, HugeLyricsFilesAreReadWithoutLosingAByte) {
    // 10 MB of timed lines: every line is timed, none keeps its tag as text.
    std::string big;
    for (int i = 0; big.size() < 10u * 1024 * 1024; ++i) {
        big += "[" + std::to_string(i / 60 % 100) + ":" + std::to_string(i % 60) + "]line " +
               std::to_string(i) + "\r\n";
    }
    dir.write("music/Song.LRC", big);
    core.loadLyrics(song());
    expectSaneLists();
    EXPECT_GT(lyricsList.count(), 100000);
    EXPECT_EQ(core.timeTags.size(), lyricsList.count() - core.headerLines);
    EXPECT_EQ(lyricsList.text(lyricsList.count() - 1).find('['), std::string::npos);

    // One line of 1 MB in edit mode: cut into list lines of 510, every character kept.
    const std::string line = std::string(1024 * 1024, 'x');
    dir.write("music/Song.LRC", line);
    useEditMode();
    core.loadLyrics(song());
    expectSaneLists();
    const std::size_t total =
        std::accumulate(editList.items().begin(), editList.items().end(), std::size_t{0},
                        [](std::size_t sum, const std::string& item) { return sum + item.size(); });
    EXPECT_EQ(total, line.size());
    EXPECT_EQ(editList.text(0).size(), kMaxLineChars);
}

TEST_F(HostileInputs, BinaryJunkReadsAsTextInBothModes) {
    dir.write("music/Song.LRC", binaryJunk(256 * 1024));
    core.loadLyrics(song());
    expectSaneLists();
    EXPECT_EQ(lyricsList.text(0).substr(0, 1), "\"");  // the header is still first
    useEditMode();
    core.loadLyrics(song());
    expectSaneLists();
    EXPECT_GT(editList.count(), 0);
}

TEST_F(HostileInputs, NamesThatAreNoReadableFileAreSkipped) {
    struct Case {
        const char* name;
        void (*makeLrc)(const std::string& path);
    };
    const Case cases[] = {
        {"a folder", [](const std::string& path) { fs::create_directory(path); }},
        {"a dangling link",
         [](const std::string& path) { fs::create_symlink(path + ".gone", path); }},
        // Opening a FIFO for reading would wait for a writer for ever, inside the render call.
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string lrc = beside("Song.LRC");
        fs::remove_all(lrc);
        c.makeLrc(lrc);
        dir.write("music/Song.TXT", "[00:01]from the text file");
        core.loadLyrics(song());
        EXPECT_EQ(core.lyricsPath, beside("Song.TXT"));
        EXPECT_EQ(lyricsList.items().back(), "from the text file");
        fs::remove(beside("Song.TXT"));
        core.loadLyrics(song());
        EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");
        EXPECT_TRUE(prompt.boxes.empty());
    }
}

TEST_F(HostileInputs, AnMp3ThatIsAFifoIsNotOpenedByTheTagLibrary) {
    ASSERT_EQ(::mkfifo(song().c_str(), 0644), 0);
    EXPECT_FALSE(id3TagSafeForLibrary(files, song()));
    core.loadLyrics(song());  // returns instead of waiting for a writer
    EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");
}

TEST_F(HostileInputs, OddSongPathsLoadAndSaveSafely) {
    // 600 characters: no lyrics name fits a path, so nothing is looked up or written.
    const std::string longSong =
        dir / (std::string(600 - dir.path().string().size() - 5, 'n') + ".mp3");
    core.loadLyrics(longSong);
    expectSaneLists();
    EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");
    EXPECT_LE(core.songPath.size(), kMaxPathChars);
    editList.append("[00:01]kept");
    core.modified = 1;
    EXPECT_EQ(core.saveLyrics(-2), 0);
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(prompt.boxes[0].text, "Error saving LRC. Please configure an user path.");
    EXPECT_EQ(core.modified, 1);

    // No dot at all: the names are the path followed by ".LRC".
    dir.write("music/Song.LRC", "[00:02]no dot");
    core.loadLyrics(song("Song"));
    EXPECT_EQ(lyricsList.items().back(), "no dot");
    EXPECT_EQ(core.lyricsPath, beside("Song.LRC"));
    EXPECT_EQ(core.saveLyrics(-2), 1);
    EXPECT_EQ(readFile(beside("Song.LRC")), "[00:01]kept");
}

TEST_F(HostileInputs, ASongThatDisappearsBeforeTheSaveLosesNothing) {
    const std::string mp3 = dir.write("music/Song.mp3", id3v2Tag(3, "", 64) + audio(2000));
    useEditMode();
    core.loadLyrics(mp3);
    editList.append("[00:01]new words");
    core.modified = 1;
    fs::remove(mp3);

    // Into the MP3: refused with a box, and no song is made from nothing.
    EXPECT_EQ(core.saveLyrics(-1), 0);
    EXPECT_FALSE(fileExists(mp3));
    EXPECT_FALSE(fileExists(mp3 + ".XXXXXX"));
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(prompt.boxes[0].caption, "Save");
    EXPECT_EQ(core.modified, 1);

    // As LRC with the whole folder gone: the system's error, nothing written anywhere.
    fs::remove_all(dir.path() / "music");
    EXPECT_EQ(core.saveLyrics(-2), 0);
    EXPECT_FALSE(fs::exists(dir.path() / "music"));
    ASSERT_EQ(prompt.boxes.size(), 2u);
    EXPECT_EQ(prompt.boxes[1].text, "Error saving LRC. Please configure an user path.");
}

TEST_F(HostileInputs, AReadOnlyMp3IsLeftAsItWasAndTheUserIsTold) {
    const std::string before =
        id3v2Tag(3, id3Frame("TIT2", textFrameBody("Title")), 64) + audio(3000) + id3v1Tag();
    const std::string mp3 = dir.write("music/Song.mp3", before);
    // Readable by anyone, writable by nobody but its owner; the store runs as another user, as
    // permissions do not bind the superuser.
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    fs::permissions(dir.path() / "music", fs::perms(0755));
    fs::permissions(mp3, fs::perms(0444));
    core.songPath = mp3;
    editList.append("[00:01]words");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        const int saved = core.saveLyrics(-1);
        const bool told = prompt.boxes.size() == 1 && prompt.boxes[0].caption == "Save";
        ::_exit((saved != 0 ? 1 : 0) | (told ? 2 : 0));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100) {
        GTEST_SKIP() << "cannot run the store as another user here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 2) << "expected: not saved, and a box shown";
    EXPECT_EQ(readFile(mp3), before);
    EXPECT_FALSE(fileExists(mp3 + ".XXXXXX"));
}

TEST_F(HostileInputs, AFullDiskKeepsTheOldLyricsFile) {
    const std::string lrc = dir.write("music/Song.LRC", "[00:01]old words\r\n");
    useEditMode();
    core.loadLyrics(song());
    editList.remove(0);
    editList.append(std::string(kMaxItemChars, 'w'));
    files.failAtByte = 300;  // the disk is full after 300 bytes
    EXPECT_EQ(core.saveLyrics(-2), 0);
    EXPECT_EQ(readFile(lrc), "[00:01]old words\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "music"), fs::directory_iterator()),
              1);
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_EQ(prompt.boxes[0].caption, "Error");
}

TEST_F(HostileInputs, ATagThatClaimsGigabytesIsNotHandedToTheLibrary) {
    // A compressed lyrics frame of a few bytes claiming 2.5 GB once inflated; the library would
    // allocate all of it.
    const std::string body("\x98\x98\x98\x98x\x9c\x03\x00\x00\x00\x00\x01", 12);
    std::string frame = "USLT" + bigEndian32(body.size()) + std::string("\x00\x80", 2) + body;
    const std::string hostile = id3v2Tag(3, frame, 16) + audio(500);
    EXPECT_FALSE(id3TagSafeForLibrary(hostile));
    const std::string mp3 =
        dir.write("music/Song.mp3",
                  hostile + lyrics3v2(lyrics3Field("LYR", "[00:03]from Lyrics3")) + id3v1Tag());
    core.loadLyrics(mp3);
    EXPECT_EQ(lyricsList.items().back(), "from Lyrics3");

    // An ID3v2.4 extended header with two flag bytes: the library would write past its array.
    std::string extended = id3v2Tag(4, std::string("\x00\x00\x00\x07\x02\x00\x00", 7) +
                                           id3Frame("TIT2", textFrameBody("T"), 4));
    extended[5] = '\x40';
    EXPECT_FALSE(id3TagSafeForLibrary(extended));

    // Ordinary tags are handed over, a compressed frame with an honest size too.
    const std::string hello("x\x9c\xcb\x48\xcd\xc9\xc9\x07\x00\x06\x2c\x02\x15", 13);
    const std::string honest = std::string("\x00\x00\x00\x05", 4) + hello;
    EXPECT_EQ(id3TagSafeForLibrary(id3v2Tag(
                  3, "USLT" + bigEndian32(honest.size()) + std::string("\x00\x80", 2) + honest)),
              true);
    EXPECT_TRUE(id3TagSafeForLibrary(id3v2Tag(3, id3Frame("USLT", usltLatin1Body("[00:01]a")))));
    EXPECT_TRUE(id3TagSafeForLibrary(audio(100)));
}

TEST_F(HostileInputs, ACompressedLyricsFrameIsInflatedByTheLibraryOnEveryPlatform) {
    // zlib writes an unsigned long for the inflated size; the patched library gives it one, also
    // where that is 64 bits wide.
    const std::string body = usltLatin1Body("[00:01]packed\n[00:02]line");
    uLongf packedSize = compressBound(body.size());
    std::string packed(packedSize, '\0');
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(body.data()), body.size()),
              Z_OK);
    packed.resize(packedSize);
    const std::string data = bigEndian32(body.size()) + packed;
    const std::string frame = "USLT" + bigEndian32(data.size()) + std::string("\x00\x80", 2) + data;
    const std::string tag = id3v2Tag(3, frame, 16);
    ASSERT_TRUE(id3TagSafeForLibrary(tag));
    ID3_MemoryReader reader(tag.data(), tag.size());
    const auto library = std::make_unique<ID3_Tag>();
    library->Link(reader, ID3TT_ID3V2);
    std::string text;
    ASSERT_TRUE(getID3Lyrics(library.get(), text));
    EXPECT_EQ(text, "[00:01]packed\n[00:02]line");
    core.loadLyrics(dir.write("music/Packed.mp3", tag + audio(300)));
    ASSERT_FALSE(lyricsList.items().empty());
    EXPECT_EQ(lyricsList.items().back(), "line");
}

TEST_F(HostileInputs, AListOfPeopleTheLibraryWouldReadForeverIsNotHandedToIt) {
    const auto bytes = [](std::initializer_list<int> values) {
        std::string text;
        for (const int value : values) {
            text += static_cast<char>(value);
        }
        return text;
    };
    // An involved-people list in UTF-16 with an odd byte at its end: the library takes no byte of
    // it and never stops, its list growing to gigabytes. TagLib reads the lyrics frame instead.
    const std::string oddList = bytes({1, 0xFF, 0xFE, 'A', 0, 'B'});
    const std::string lyrics = id3Frame("USLT", usltLatin1Body("[00:02]still shown"));
    const std::string hostile = id3v2Tag(3, id3Frame("IPLS", oddList) + lyrics);
    EXPECT_FALSE(id3TagSafeForLibrary(hostile));
    core.loadLyrics(dir.write("music/People.mp3", hostile + audio(300)));
    EXPECT_EQ(lyricsList.items().back(), "still shown");

    const struct {
        const char* name;
        std::string frame;
        bool safe;
    } cases[] = {
        {"UTF-16, whole units", id3Frame("IPLS", bytes({1, 0xFF, 0xFE, 'A', 0})), true},
        {"Latin-1, any length", id3Frame("IPLS", bytes({0, 'a', 'b', 0, 'c'})), true},
        {"UTF-16BE, odd", id3Frame("IPLS", bytes({2, 0, 'A', 'B'})), false},
        {"grouped", "IPLS" + bigEndian32(3) + bytes({0, 0x20, 0, 'a', 'b'}), false},
        {"another frame, odd", id3Frame("TPE1", oddList), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(id3TagSafeForLibrary(id3v2Tag(3, c.frame)), c.safe) << c.name;
    }
    // The same list in a version 2.2 tag, where its name is IPL.
    const std::string oldList = "IPL" + bytes({0, 0, 4, 1, 'A', 'B', 'C'});
    EXPECT_FALSE(id3TagSafeForLibrary(id3v2Tag(2, oldList, 16)));
}

// A people-list frame as the library finds it: under each name it answers to in each version.
std::string peopleListFrame(int major, const std::string& id, const std::string& body) {
    if (major == 2) {
        const std::size_t size = body.size();
        return id + static_cast<char>(size >> 16) + static_cast<char>((size >> 8) & 0xFF) +
               static_cast<char>(size & 0xFF) + body;
    }
    return id3Frame(id, body, major);
}

// The library itself, without the guard: true when it read the tag to its end.
bool libraryReadsTag(const std::string& tagBytes) {
    ID3_MemoryReader reader(tagBytes.data(), tagBytes.size());
    const auto tag = std::make_unique<ID3_Tag>();
    tag->Link(reader, ID3TT_ID3V2);
    return tag->HasV2Tag();
}

bool libraryFindsPeopleList(const std::string& tagBytes) {
    ID3_MemoryReader reader(tagBytes.data(), tagBytes.size());
    const auto tag = std::make_unique<ID3_Tag>();
    tag->Link(reader, ID3TT_ID3V2);
    return tag->Find(ID3FID_INVOLVEDPEOPLE) != nullptr;
}

TEST_F(HostileInputs, EveryPeopleListTheLibraryWouldReadForeverIsRefused) {
    // The library reads encodings 1 to 3 (UTF-8 too) two bytes at a time and never takes a last
    // single byte of the list; other encoding bytes leave it in Latin-1. It answers to IPL in
    // every version, as the ID "IPL\0" as well.
    const struct {
        int major;
        std::string id;
    } names[] = {{2, "IPL"},
                 {3, "IPLS"},
                 {3, std::string("IPL\0", 4)},
                 {4, "IPLS"},
                 {4, std::string("IPL\0", 4)}};
    const std::string lyrics = id3Frame("USLT", usltLatin1Body("[00:02]still shown"));
    for (const auto& name : names) {
        for (const int encoding : {0, 1, 2, 3, 4, 0xFF}) {
            for (const std::size_t listBytes : {0, 1, 2, 3, 30, 31}) {
                std::string body(1, static_cast<char>(encoding));
                for (std::size_t i = 0; i < listBytes; ++i) {
                    body += static_cast<char>(i % 3 == 2 ? 0 : 'a' + i % 26);
                }
                const bool twoByte = encoding >= 1 && encoding <= 3;
                const bool runsAway = twoByte && listBytes % 2 == 1;
                const std::string frames =
                    peopleListFrame(name.major, name.id, body) + (name.major == 2 ? "" : lyrics);
                const std::string tag = id3v2Tag(name.major, frames, 8);
                SCOPED_TRACE("v2." + std::to_string(name.major) + " " +
                             std::string(name.id.c_str()) + " encoding " +
                             std::to_string(encoding) + ", " + std::to_string(listBytes) +
                             " list bytes");
                EXPECT_EQ(id3TagSafeForLibrary(tag), !runsAway);
                // The patched library ends such a list at its lone byte instead.
                EXPECT_TRUE(libraryReadsTag(tag));
            }
        }
    }
}

TEST_F(HostileInputs, ARunawayListWhereTheLibraryResumesInsideAFrameIsRefused) {
    // After a UTF-16 text with an odd byte the library goes on one byte before the frame's end,
    // so the frame walk by sizes would miss the people list that begins there.
    std::string comment = std::string(
        "\x01"
        "eng"
        "\xFF\xFE\x00\x00"
        "\xFF\xFE"
        "a\x00",
        12);
    comment += 'I';
    const std::string list = std::string(
        "\x00\x00\x00\x04\x00\x00\x03"
        "ab\x00",
        10);
    const std::string hidden = id3Frame("COMM", comment) + "PLS" + list;
    EXPECT_FALSE(id3TagSafeForLibrary(id3v2Tag(3, hidden, 8)));
    EXPECT_TRUE(libraryFindsPeopleList(id3v2Tag(3, hidden, 8)));

    // A version 2.2 compressed frame under its 2.3 name, "CDM\0": frames inflated from frames.
    const std::string nested = id3Frame(std::string("CDM\0", 4), std::string("z\0\0\0\x10xx", 7));
    EXPECT_FALSE(id3TagSafeForLibrary(id3v2Tag(3, nested)));
    EXPECT_FALSE(
        id3TagSafeForLibrary(id3v2Tag(2, "CDM" + std::string("\0\0\x07z\0\0\0\x10xx", 10))));
    // The same names inside a picture's bytes, with a size that does not fit, refuse nothing.
    const std::string picture =
        id3Frame("APIC", std::string("\0image/png\0\x03\0CDM\0\xff\xff\xff\xffIPLS\x7f\0\0\0", 29));
    const std::string lyrics = id3Frame("USLT", usltLatin1Body("[00:01]shown"));
    EXPECT_TRUE(id3TagSafeForLibrary(id3v2Tag(3, picture + lyrics, 8)));

    // A second tag right after the first, which the library reads when it is given the whole
    // song, as for saving into it: the song is not rewritten.
    const std::string second = id3v2Tag(3, id3Frame("IPLS", std::string("\x03"
                                                                        "abc",
                                                                        4)));
    const std::string twoTags =
        id3v2Tag(3, id3Frame("USLT", usltLatin1Body("[00:01]first"))) + second + audio(300);
    EXPECT_FALSE(id3TagSafeForLibrary(twoTags));
    const std::string mp3 = dir.write("music/TwoTags.mp3", twoTags);
    EXPECT_EQ(storeLyricsInMp3(mp3, "[00:01]new").result, Id3StoreResult::Refused);
    EXPECT_EQ(readFile(mp3), twoTags);
}

// Songs the fuzzer made (its mode byte removed): ID3v2.3 IPLS frames with encoding byte 3 and an
// odd number of list bytes, one of them in a tag that claims more than the file holds.
const std::string kFoundPeopleLists[] = {
    std::string("\x49\x44\x33\x03\x00\x00\x00\x00\x00\x3a\x49\x50\x4c\x53\x00\x00\x00\x20\x00\x00"
                "\x03\x00\x00\x00\x53\x00\x55\xf5\xf5\xf5\xf5\xf5\xf5\xf5\xf1\x93\x93\x93\x93\x4c"
                "\xe7\xe7\xe7\x7e\xe7\x00\x00\x00\xfb\x00\x00\x00\xfb",
                53),
    std::string("\x49\x44\x33\x03\x00\x00\x02\x00\x00\x3a\x49\x50\x4c\x53\x00\x00\x00\x20\x00\x00"
                "\x03\x58\x58\x58\xff\xfe\x00\xff\x00\xfe\x5b\x00\x30\x00\x30\x00\x00\x00\x00\x00"
                "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\xfb"
                "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                "\x00\x08\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x5d\x00"
                "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                "\x00\x00\x00\x00\x00",
                145),
    std::string("\x49\x44\x33\x03\x00\x00\x00\x00\x00\x3a\x49\x50\x4c\x53\x00\x00\x00\x20\x00\x00"
                "\x03\x00\x00\x00\x53\x00\xf3\xf3\xf3\xf3\xf3\xf3\xed\xed\xed\xed\xed\xed\x35\xa6"
                "\xbe\xb7\xe7\xe7\xed\xed\xed\x00\xed\x03\x00\x03\x00",
                53),
};

TEST_F(HostileInputs, TheFoundPeopleListsLoadAndEndInTheLibrary) {
    int n = 0;
    for (const std::string& found : kFoundPeopleLists) {
        SCOPED_TRACE("found song " + std::to_string(++n));
        EXPECT_FALSE(id3TagSafeForLibrary(found));
        EXPECT_TRUE(libraryReadsTag(found));
        for (const bool edit : {false, true}) {
            lyricsList.setVisible(!edit);
            editList.setVisible(edit);
            core.loadLyrics(dir.write("music/Found" + std::to_string(n) + ".mp3", found));
            expectSaneLists();
        }
    }
}

TEST_F(HostileInputs, ATagSizeLargerThanTheFileSetsAsideNoMoreThanTheFile) {
    // 2 KB whose ID3v2 header claims a 256 MB tag, then one whose claim is a few bytes short.
    std::string claimsMore = id3v2Tag(3, "", 2038);
    claimsMore.replace(6, 4, syncSafe((std::size_t{256} << 20) - 10));
    const std::string mp3 = dir.write("music/Song.mp3", claimsMore);
    const auto tag = readLeadingId3v2Tag(files, mp3);
    ASSERT_TRUE(tag);
    EXPECT_EQ(*tag, claimsMore);
    EXPECT_LE(tag->capacity(), claimsMore.size() + 64);
    core.loadLyrics(mp3);
    EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");

    const std::string exact = id3v2Tag(3, id3Frame("USLT", usltLatin1Body("[00:01]a")), 10);
    const std::string song = dir.write("music/Exact.mp3", exact + audio(300));
    EXPECT_EQ(readLeadingId3v2Tag(files, song), exact);
}

class HostileSettings : public ::testing::Test {
  protected:
    void load() {
        SettingsStore store({app, colours, list}, [this](const std::string& path) {
            return std::make_unique<IniFile>(platformFileSystem(), path);
        });
        store.loadSettings({dir / "vis_zorlyrics.dll", kSection});
    }
    void save() {
        SettingsStore store({app, colours, list}, [this](const std::string& path) {
            return std::make_unique<IniFile>(platformFileSystem(), path);
        });
        store.saveSettings({dir / "vis_zorlyrics.dll", kSection}, {true, false});
    }

    static constexpr const char* kSection = "Maresh Zor Lyrics plugin";
    TempFolder dir;
    AppSettings app;
    WindowColours colours;
    ListSettings list;
};

TEST_F(HostileSettings, AHundredThousandLinesLoadAndSave) {
    std::string text = "[Maresh Zor Lyrics plugin]\r\n";
    for (int i = 0; i < 100000; ++i) {
        text += "Junk" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    text += "FontSize=-14\r\nAlternativeLRCPath=/lyrics/\r\n";
    const std::string ini = dir.write("plugin.ini", text);
    load();
    EXPECT_EQ(list.FontSize, 14);
    EXPECT_EQ(app.AlternativeLRCPath, "/lyrics/");
    list.FontSize = 9;
    save();
    const std::string after = readFile(ini);
    EXPECT_NE(after.find("Junk99999=99999\r\n"), std::string::npos);
    EXPECT_NE(after.find("FontSize=9\r\n"), std::string::npos);
    load();
    EXPECT_EQ(list.FontSize, 9);
}

TEST_F(HostileSettings, BinaryBytesAroundTheKeysAreKeptAsTheyAre) {
    const std::string junk = binaryJunk(4096);
    const std::string text = junk + "\r\n[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n" + junk;
    const std::string ini = dir.write("plugin.ini", text);
    load();  // whatever the junk holds, the load ends with sane values
    EXPECT_GE(list.FontSize, 0);
    EXPECT_LT(list.FontFamily.size(), kFontFamilyCapacity);
    save();
    const std::string after = readFile(ini);
    EXPECT_EQ(after.substr(0, junk.size()), junk);  // bytes ahead of the section are untouched
    AppSettings before = app;
    load();
    EXPECT_EQ(app.MoveBar, before.MoveBar);
    EXPECT_EQ(app.AlternativeLRCPath, before.AlternativeLRCPath);
}

}  // namespace
}  // namespace zor

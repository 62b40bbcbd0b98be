#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/lookup/SongInfo.h"
#include "lyrics/lookup/SongNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/model/TextLimits.h"

namespace zor {
namespace {

using test::FakeHostLink;
using test::RecordingPrompt;

class SongInfoHeader : public ::testing::Test {
  protected:
    SongInfoHeader() {
        core.openingWait.sleep = [this](int ms) { sleeps.push_back(ms); };
    }

    std::vector<std::string> build(const std::string& path = "C:\\Music\\Song.mp3") {
        count = 0;
        core.buildSongInfo(path, true, count);
        return lyricsList.items();
    }

    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    FakeHostLink host;
    RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
    std::vector<int> sleeps;
    int count = 0;
};

TEST_F(SongInfoHeader, FullMetadataGivesFiveLines) {
    host.metadata = {{"Title", "Song"}, {"Artist", "Band"}, {"Album", "Disc"},
                     {"Track", "3"},    {"Year", "1999"},   {"Genre", "(17)"}};
    EXPECT_EQ(build(),
              (std::vector<std::string>{"\"Song\" by \"Band\"", "from \"Disc\" ( Track 3 ), 1999",
                                        "Genre: Rock", "C:\\Music\\Song.mp3", ""}));
    EXPECT_EQ(count, 5);
    EXPECT_EQ(core.pathLine, 3);
    EXPECT_EQ(core.songTitle, "Song");
    EXPECT_EQ(core.songArtist, "Band");
}

TEST_F(SongInfoHeader, ValuesAreTrimmedAndBlankAnswersCountAsNone) {
    host.metadata = {{"Title", "  Song  "}, {"Artist", "   "}, {"Album", " Disc "}};
    host.title = "Listed";
    EXPECT_EQ(build(),
              (std::vector<std::string>{"\"Song\"", "from \"Disc\"", "C:\\Music\\Song.mp3", ""}));
}

TEST_F(SongInfoHeader, YearAnsweredEmptyStopsTheDateRequest) {
    host.metadata = {{"Title", "T"}, {"Album", "A"}, {"Year", ""}, {"Date", "2001"}};
    EXPECT_EQ(build()[1], "from \"A\"");
    EXPECT_EQ(std::count(host.askedKeys.begin(), host.askedKeys.end(), "Date"), 0);
}

TEST_F(SongInfoHeader, DateStandsInForAnUnansweredYear) {
    host.metadata = {{"Title", "T"}, {"Album", "A"}, {"Date", "2001-05"}};
    EXPECT_EQ(build()[1], "from \"A\", 2001-05");
}

TEST_F(SongInfoHeader, TrackAndYearAreNotAskedWithoutAnAlbum) {
    host.metadata = {{"Title", "T"}, {"Track", "3"}, {"Year", "1999"}};
    EXPECT_EQ(build().size(), 3u);
    EXPECT_EQ(host.askedKeys, (std::vector<std::string>{"Title", "Artist", "Album", "Genre"}));
}

TEST_F(SongInfoHeader, PlaylistTitleGivesTitleAndArtist) {
    host.metadata = {{"Artist", "Tagged"}};
    host.title = "Band - Song - Live";
    EXPECT_EQ(build(),
              (std::vector<std::string>{"\"Song - Live\" by \"Band\"", "C:\\Music\\Song.mp3", ""}));
    EXPECT_EQ(core.pathLine, 1);
    EXPECT_EQ(core.songArtist, "Band");
}

TEST_F(SongInfoHeader, PlaylistTitleWithoutSeparatorIsTheWholeTitle) {
    host.title = "Just a title";
    EXPECT_EQ(build()[0], "\"Just a title\"");
    EXPECT_EQ(core.songArtist, "");
}

TEST_F(SongInfoHeader, FileNameIsTheLastResort) {
    EXPECT_EQ(build("C:\\Music\\Song.mp3")[0], "\"Song.mp3\"");
    lyricsList.clear();
    EXPECT_EQ(build("/music/other/Tune.ogg")[0], "\"Tune.ogg\"");
    lyricsList.clear();
    host.title = "Band - ";  // no title part either
    EXPECT_EQ(build("/music/Tune.ogg")[0], "\"Tune.ogg\" by \"Band\"");
}

TEST_F(SongInfoHeader, WaitsWhileTheEntryIsOpening) {
    int calls = 0;
    class OpeningHost : public FakeHostLink {
      public:
        explicit OpeningHost(int& calls) : calls_(calls) {}
        std::optional<std::string> playlistTitle(int) override {
            return ++calls_ <= 3 ? "[Opening] x.mp3" : "Band - Song";
        }

      private:
        int& calls_;
    } opening(calls);
    LyricsCore other{lyricsList, editList, opening, prompt, platformFileSystem()};
    other.openingWait.sleep = [this](int ms) { sleeps.push_back(ms); };
    other.buildSongInfo("x.mp3", true, count);
    EXPECT_EQ(sleeps, std::vector<int>(3, 100));
    EXPECT_EQ(other.songTitle, "Song");
}

TEST_F(SongInfoHeader, OpeningWaitIsBounded) {
    host.title = "[Opening] Band - Song";
    build();
    EXPECT_EQ(sleeps, std::vector<int>(50, 100));  // five seconds at most
    EXPECT_EQ(core.songTitle, "Song");
    EXPECT_EQ(core.songArtist, "Band");
}

TEST_F(SongInfoHeader, LinesAreCutToAListItem) {
    host.metadata = {{"Title", std::string(600, 't')}};
    const auto items = build(std::string(400, 'p') + ".mp3");
    EXPECT_EQ(items[0].size(), kMaxItemChars);
    EXPECT_EQ(items[0].substr(0, 2), "\"t");
    EXPECT_LE(core.songTitle.size(), kMaxItemChars);
}

TEST(SongInfoGenre, NamesFromValues) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"0", "Blues"},
                                                                    {"(0)", "Blues"},
                                                                    {"CR", "Cover"},
                                                                    {"rx", "Remix"},
                                                                    {"(Rx)", "Remix"},
                                                                    {"255", "Synthpop"},
                                                                    {"99999999999", "Synthpop"},
                                                                    {"Ambient", "Ambient"},
                                                                    {"00", "00"},
                                                                    {"Pop", "Pop"},
                                                                    {"-5", "-5"},
                                                                    {"(17)", "Rock"},
                                                                    {"17abc", "Rock"},
                                                                    {"67", "Psychadelic"},
                                                                    {"85", "Bebob"},
                                                                    {"123", "A capella"},
                                                                    {"141", "Christian Rock "},
                                                                    {"144", "Trash Metal"},
                                                                    {"146", "JPop"},
                                                                    {"147", "Synthpop"},
                                                                    {"80", "Folk"},
                                                                    {"(", ""},
                                                                    {"", ""},
                                                                    {"1", "Classic Rock"}};
    for (const auto& [value, name] : cases) {
        EXPECT_EQ(genreName(value), name) << "value " << value;
    }
}

TEST(SongInfoNames, SplitAndComposedNames) {
    struct Case {
        std::string path, extension, stem, baseName;
    };
    const std::vector<Case> cases = {
        {"C:\\Music\\Song.mp3", "mp3", "C:\\Music\\Song.", "Song."},
        {"/music/Song.ogg", "ogg", "/music/Song.", "Song."},
        {"D:\\a.b\\Song", "", "D:\\a.b\\Song.", "Song."},  // the folder's dot is not the song's
        {"/m/a.b/Song", "", "/m/a.b/Song.", "Song."},
        {"Song", "", "Song.", "Song."},
        {"Song.tar.mp3", "mp3", "Song.tar.", "Song.tar."},
        {"C:\\Music\\", "", "", ""},  // a folder names no song
        {"", "", "", ""},
        {"http://radio.example/live.mp3", "", "", ""},  // streams build no names
    };
    for (const Case& c : cases) {
        const SongNames names = splitSongPath(c.path);
        EXPECT_EQ(names.extension, c.extension) << c.path;
        EXPECT_EQ(names.stem, c.stem) << c.path;
        EXPECT_EQ(names.baseName, c.baseName) << c.path;
    }
    EXPECT_EQ(nameBesideSong("C:\\Music\\Song.mp3", "LRC"), "C:\\Music\\Song.LRC");
    EXPECT_EQ(nameBesideSong("http://radio.example/live.mp3", "LRC"), "");
    const std::string separator(1, kPathSeparator);
    EXPECT_EQ(nameInFolder("E:\\Lyrics", "D:\\a.b\\Song.mp3", "TXT"),
              "E:\\Lyrics" + separator + "Song.TXT");
    EXPECT_EQ(nameInFolder("E:\\Lyrics\\", "D:\\a.b\\Song.mp3", "TXT"), "E:\\Lyrics\\Song.TXT");
    EXPECT_EQ(nameInFolder("/lyrics/", "/m/Song.mp3", "LRC"), "/lyrics/Song.LRC");
    EXPECT_EQ(nameInFolder("", "/m/Song.mp3", "LRC"), "");
    EXPECT_EQ(nameInFolder("/lyrics", "http://radio.example/live.mp3", "LRC"), "");
}

TEST(SongInfoNames, Mp3IsRecognisedIgnoringCase) {
    EXPECT_TRUE(isMp3Path("C:\\Music\\Song.mp3"));
    EXPECT_TRUE(isMp3Path("/m/Song.Mp3"));
    EXPECT_FALSE(isMp3Path("/m/Song.ogg"));
    EXPECT_FALSE(isMp3Path("/m/mp3"));
    EXPECT_FALSE(isMp3Path("/m.mp3/Song"));
    EXPECT_FALSE(isMp3Path("http://radio.example/live.mp3"));
}

TEST(SongInfoNames, NamesLongerThanAPathAreNotBuilt) {
    const std::string fits = "/" + std::string(kMaxPathChars - 5, 'f') + "/S.mp3";  // stem 510
    ASSERT_EQ(splitSongPath(fits).stem.size(), kMaxPathChars - 1);
    EXPECT_EQ(nameBesideSong(fits, "").size(), kMaxPathChars - 1);
    EXPECT_EQ(nameBesideSong(fits, "L"), splitSongPath(fits).stem + "L");  // exactly 511
    EXPECT_EQ(nameBesideSong(fits, "LRC"), "");
    EXPECT_EQ(nameInFolder(std::string(kMaxPathChars, 'd'), "/m/S.mp3", "LRC"), "");
}

}  // namespace
}  // namespace zor

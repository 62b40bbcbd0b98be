// The external lyrics files, in the order they are tried, and the lookup that follows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "lyrics/lookup/LyricsFileNames.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

using test::FakeHostLink;
using test::RecordingPrompt;
using test::TempFolder;

const std::array<std::string, 2> kExtensions{"LRC", "TXT"};

std::vector<std::string> paths(const std::vector<LyricsFileName>& names) {
    std::vector<std::string> out;
    for (const LyricsFileName& name : names) {
        out.push_back(name.path + " " + name.extension);
    }
    return out;
}

TEST(LyricsFileNames, TheFullOrder) {
    const SongMetadata metadata{"AC/DC", "What?: \"Live\" <1> | *2*\t"};
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(paths(lyricsFileNames("/music/a.b/Song.mp3", "/alt/", metadata, kExtensions)),
              (std::vector<std::string>{
                  "/alt/Song.LRC LRC",
                  "/alt/Song.TXT TXT",
                  "/alt/AC_DC - What__ _Live_ _1_ _ _2__.LRC LRC",
                  "/alt/AC_DC - What__ _Live_ _1_ _ _2__.TXT TXT",
                  "/music/a.b/Song.LRC LRC",
                  "/music/a.b/Song.TXT TXT",
                  "/music/a.b/Lyrics" + sep + "Song.LRC LRC",
                  "/music/a.b/Lyrics" + sep + "Song.TXT TXT",
                  "/music/a.b/Lyrics" + sep + "AC_DC - What__ _Live_ _1_ _ _2__.LRC LRC",
                  "/music/a.b/Lyrics" + sep + "AC_DC - What__ _Live_ _1_ _ _2__.TXT TXT",
              }));
}

TEST(LyricsFileNames, WithoutMetadataOrFolderTheNamesAreLeftOut) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(paths(lyricsFileNames("C:\\Music\\Song.mp3", "", {"Artist", ""}, kExtensions)),
              (std::vector<std::string>{"C:\\Music\\Song.LRC LRC", "C:\\Music\\Song.TXT TXT",
                                        "C:\\Music\\Lyrics" + sep + "Song.LRC LRC",
                                        "C:\\Music\\Lyrics" + sep + "Song.TXT TXT"}));
    EXPECT_TRUE(lyricsFileNames("http://radio/stream", "/alt", {"A", "T"}, kExtensions).empty());
    EXPECT_EQ(artistTitleName({"", "Title"}), "");
}

class LookupByName : public ::testing::Test {
  protected:
    std::string loadSong() {
        core.loadLyrics(dir / "music/Song.flac");
        return core.lyricsPath.empty() ? ""
                                       : core.lyricsPath.substr(dir.path().string().size() + 1);
    }

    TempFolder dir;
    MemoryLineList lyricsList{true};
    MemoryLineList editList{false};
    FakeHostLink host;
    RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
};

TEST_F(LookupByName, AFileEarlierInTheOrderStillWins) {
    host.metadata = {{"Artist", " The Band "}, {"Title", "A/B"}};
    core.AlternativeLRCPath = dir / "alt";
    const std::vector<std::string> order = {
        "alt/Song.TXT",
        "alt/The Band - A_B.LRC",
        "alt/The Band - A_B.TXT",
        "music/Song.LRC",
        "music/Lyrics/Song.TXT",
        "music/Lyrics/The Band - A_B.LRC",
        "music/Lyrics/The Band - A_B.TXT",
    };
    for (const std::string& name : order) {
        dir.write(name, name + "\r\n");
    }
    // Removing the winner each time uncovers the next one in the order.
    for (const std::string& name : order) {
        EXPECT_EQ(loadSong(), name);
        EXPECT_EQ(lyricsList.text(core.headerLines), name);
        EXPECT_EQ(core.currentExt, name.substr(name.size() - 3));
        std::filesystem::remove(dir / name);
    }
    EXPECT_EQ(loadSong(), "");
    EXPECT_EQ(lyricsList.items().back(), "Lyrics unavailable");
}

}  // namespace
}  // namespace zor

// Whatever fails while saving, nothing the user had is lost: for every save path a failure is
// injected at each write in turn, at the close and at the replace, and afterwards the target holds
// either the complete new content or exactly the old bytes, no temporary file is left, and the
// user was told (the settings save is silent by design).
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Fakes.h"
#include "FaultyFileSystem.h"
#include "Mp3Fixtures.h"
#include "config/IniFile.h"
#include "config/SettingsStore.h"
#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/MemoryLineList.h"
#include "lyrics/tags/Id3Lyrics.h"
#include "lyrics/tags/Mp3Layout.h"

#include <id3/tag.h>

namespace zor {
namespace {

namespace fs = std::filesystem;
using namespace mp3fixtures;
using test::FakeHostLink;
using test::FaultyFileSystem;
using test::RecordingPrompt;
using test::TempFolder;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// One way to break a save: set on the file system before it, cleared after it.
struct FailurePoint {
    std::string name;
    std::function<void(FaultyFileSystem&)> arm;
};

// Every write call and every byte of a save that writes writeCalls calls and bytes bytes, then
// the close and the replace.
std::vector<FailurePoint> everyFailurePoint(int writeCalls, std::int64_t bytes) {
    std::vector<FailurePoint> points;
    for (int call = 1; call <= writeCalls; ++call) {
        points.push_back({"write call " + std::to_string(call), [call](FaultyFileSystem& files) {
                              files.failAtWriteCall = files.writeCalls + call;
                          }});
    }
    for (std::int64_t byte = 0; byte < bytes; ++byte) {
        points.push_back({"byte " + std::to_string(byte), [byte](FaultyFileSystem& files) {
                              files.failAtByte = files.bytesWritten + byte;
                          }});
    }
    points.push_back({"close", [](FaultyFileSystem& files) { files.failClose = true; }});
    points.push_back({"replace", [](FaultyFileSystem& files) { files.failReplace = true; }});
    return points;
}

void disarm(FaultyFileSystem& files) {
    files.failAtWriteCall = 0;
    files.failAtByte = -1;
    files.failClose = false;
    files.failReplace = false;
}

class LrcNothingLost : public ::testing::Test {
  protected:
    LrcNothingLost() {
        fs::create_directories(dir.path() / "music");
        fs::create_directories(dir.path() / "alt");
        core.songPath = dir / "music/Song.ogg";
        std::ofstream(core.songPath) << "audio";
        for (const char* line : {"[ti:New]", "[00:10]new first", "[00:20]new second", ""}) {
            editList.append(line);
        }
    }

    // Saves once per failure point into target, which holds old bytes before each save.
    void checkEveryFailure(const std::string& target, const std::function<void()>& prepare) {
        const std::string old = "[00:01]the old lyrics\r\nsecond old line";
        const std::string fresh = "[ti:New]\r\n[00:10]new first\r\n[00:20]new second\r\n";
        // A clean save first, to count what it writes.
        dir.write(fs::relative(target, dir.path()).string(), old);
        prepare();
        const int callsBefore = files.writeCalls;
        const std::int64_t bytesBefore = files.bytesWritten;
        ASSERT_EQ(core.saveLyrics(-2), 1);
        ASSERT_EQ(readFile(target), fresh);
        const std::set<std::string> folderAfter = namesIn(fs::path(target).parent_path());

        int checked = 0;
        for (const FailurePoint& point :
             everyFailurePoint(files.writeCalls - callsBefore, files.bytesWritten - bytesBefore)) {
            SCOPED_TRACE(point.name);
            dir.write(fs::relative(target, dir.path()).string(), old);
            prepare();
            prompt.boxes.clear();
            core.modified = 1;
            point.arm(files);
            const int saved = core.saveLyrics(-2);
            disarm(files);
            const std::string now = readFile(target);
            EXPECT_TRUE(now == old || now == fresh) << now;
            EXPECT_EQ(saved == 1, now == fresh);
            EXPECT_EQ(namesIn(fs::path(target).parent_path()), folderAfter);  // no temporary
            if (saved == 0) {
                EXPECT_EQ(now, old);
                ASSERT_EQ(prompt.boxes.size(), 1u);
                // A file that cannot be replaced asks for the alternative folder when none is set.
                const bool asksForFolder =
                    point.name == "replace" && core.AlternativeLRCPath.empty();
                EXPECT_EQ(prompt.boxes[0].caption,
                          asksForFolder ? "Maresh's Zor Lyrics plugin!!!!" : "Error");
                EXPECT_EQ(core.modified, 1);
            }
            ++checked;
        }
        EXPECT_EQ(checked, 1 + 47 + 2);  // one write of the whole file, 47 bytes, close, replace
    }

    TempFolder dir;
    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    FakeHostLink host;
    RecordingPrompt prompt;
    FaultyFileSystem files{platformFileSystem()};
    LyricsCore core{lyricsList, editList, host, prompt, files};
};

TEST_F(LrcNothingLost, BesideTheSong) {
    const std::string target = dir / "music/Song.LRC";
    checkEveryFailure(target, [&] { core.lyricsPath.clear(); });
}

TEST_F(LrcNothingLost, InTheAlternativeFolder) {
    // The song's folder refuses new files, so the save goes to the alternative folder.
    files.refusedFolders.insert((dir.path() / "music").string());
    core.AlternativeLRCPath = (dir.path() / "alt").string();
    const std::string target = dir / "alt/Song.LRC";
    checkEveryFailure(target, [&] { core.lyricsPath.clear(); });
}

// A small file system of its own, so that the tag library itself meets a full disk.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const fs::path& where, const char* size) : where_(where) {
        fs::create_directories(where_);
        const std::string options = std::string("size=") + size;
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) {
            ::umount2(where_.c_str(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }

  private:
    fs::path where_;
    bool mounted_ = false;
};

// Fills the file system until only about free bytes are left.
void leaveFree(const fs::path& filler, std::size_t free) {
    fs::remove(filler);
    const fs::space_info space = fs::space(filler.parent_path());
    if (space.available <= free) {
        return;
    }
    std::ofstream out(filler, std::ios::binary);
    const std::string block(4096, 'f');
    for (std::size_t left = space.available - free; left >= block.size(); left -= block.size()) {
        out.write(block.data(), block.size());
    }
}

TEST(Mp3NothingLost, AFullDiskAtEveryPointOfTheTagWrite) {
    TempFolder dir;
    SmallFileSystem disk(dir.path() / "disk", "256k");
    if (!disk.mounted()) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root)";
    }
    const fs::path folder = dir.path() / "disk";
    const std::string mp3 = (folder / "Song.mp3").string();
    const fs::path filler = folder / "filler";
    // A tag without room for the lyrics, so the library must rewrite the whole file.
    const std::string old =
        id3v2Tag(3, id3Frame("TIT2", textFrameBody("Title")), 0) + audio(40000) + id3v1Tag();

    MemoryLineList lyricsList{false};
    MemoryLineList editList{true};
    FakeHostLink host;
    RecordingPrompt prompt;
    LyricsCore core{lyricsList, editList, host, prompt, platformFileSystem()};
    core.songPath = mp3;
    for (int i = 0; i < 8; ++i) {
        editList.append(std::string(400, static_cast<char>('a' + i)));
    }
    editList.append("[00:10]end");
    const std::string text = core.editListText();

    int stored = 0;
    int kept = 0;
    for (std::size_t free = 0; free <= 160 * 1024; free += 4096) {
        SCOPED_TRACE("free bytes " + std::to_string(free));
        fs::remove(filler);
        fs::remove(mp3);
        std::ofstream(mp3, std::ios::binary) << old;
        leaveFree(filler, free);
        prompt.boxes.clear();
        const int saved = core.saveLyrics(-1);
        fs::remove(filler);
        const std::string now = readFile(mp3);
        if (now == old) {
            ++kept;
            EXPECT_EQ(saved, 0);
            ASSERT_FALSE(prompt.boxes.empty());
            EXPECT_EQ(prompt.boxes[0].caption, "Save");
        } else {
            ++stored;
            EXPECT_EQ(saved, 1);
            EXPECT_EQ(audioOf(now), audioOf(old));
            const auto tag = std::make_unique<ID3_Tag>(mp3.c_str());
            std::string read;
            EXPECT_TRUE(getID3Lyrics(tag.get(), read));
            EXPECT_EQ(read, text);
        }
        EXPECT_EQ(namesIn(folder), (std::set<std::string>{"Song.mp3"}));  // no temporary
    }
    EXPECT_GT(kept, 0);  // the disk really was too full at first
    EXPECT_GT(stored, 0);
}

class SettingsNothingLost : public ::testing::Test {
  protected:
    void save() {
        SettingsStore store({app, colours, list}, [this](const std::string& path) {
            return std::make_unique<IniFile>(files, path);
        });
        store.saveSettings({dir / "vis_zorlyrics.dll", kSection}, {true, false});
    }
    std::map<std::string, std::string> keysOf(const std::string& text) {
        std::map<std::string, std::string> keys;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = text.find("\r\n", at);
            const std::string line = text.substr(at, end - at);
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) {
                keys[line.substr(0, equals)] = line.substr(equals + 1);
            }
            at = end == std::string::npos ? text.size() : end + 2;
        }
        return keys;
    }

    static constexpr const char* kSection = "Maresh Zor Lyrics plugin";
    TempFolder dir;
    FaultyFileSystem files{platformFileSystem()};
    AppSettings app;
    WindowColours colours;
    ListSettings list;
};

TEST_F(SettingsNothingLost, EveryKeyIsOldOrNewAndNothingElseChanges) {
    const std::string old =
        "[Other]\r\nKeep=me\r\n[Maresh Zor Lyrics plugin]\r\n; a note\r\nScreen_x=7\r\n"
        "FontFamily=Old Face\r\nUnknownKey=stays\r\n";
    const std::string ini = dir / "plugin.ini";
    app.Screen_x = 99;
    list.FontFamily = "New Face";
    // A clean save: 31 writes, one per key.
    dir.write("plugin.ini", old);
    const int callsBefore = files.writeCalls;
    save();
    const int calls = files.writeCalls - callsBefore;
    ASSERT_EQ(calls, 31);
    const std::map<std::string, std::string> fresh = keysOf(readFile(ini));
    const std::map<std::string, std::string> before = keysOf(old);

    std::vector<FailurePoint> points = everyFailurePoint(calls, 0);
    for (std::int64_t byte : {0, 1, 40, 100}) {  // inside the first rewrite of the file
        points.push_back({"byte " + std::to_string(byte),
                          [byte](FaultyFileSystem& f) { f.failAtByte = f.bytesWritten + byte; }});
    }
    for (const FailurePoint& point : points) {
        SCOPED_TRACE(point.name);
        dir.write("plugin.ini", old);
        point.arm(files);
        save();
        disarm(files);
        const std::string now = readFile(ini);
        for (const auto& [key, value] : keysOf(now)) {
            const bool isOld = before.count(key) > 0 && before.at(key) == value;
            EXPECT_TRUE(isOld || fresh.at(key) == value) << key << "=" << value;
        }
        for (const char* line :
             {"[Other]\r\nKeep=me\r\n", "; a note\r\n", "UnknownKey=stays\r\n"}) {
            EXPECT_NE(now.find(line), std::string::npos) << line;
        }
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"plugin.ini"}));
        if (point.name == "close" || point.name == "replace") {
            EXPECT_EQ(now, old);  // every one of the writes failed
        }
    }
}

}  // namespace
}  // namespace zor

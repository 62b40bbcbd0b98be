#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "config/SettingsStore.h"
#include "lyrics/platform/FileSystem.h"

namespace zor {
namespace {

const std::string kSection = "Maresh Zor Lyrics plugin";

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zor-settings-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void store(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::transform(std::filesystem::directory_iterator(folder),
                   std::filesystem::directory_iterator(), std::back_inserter(names),
                   [](const auto& entry) { return entry.path().filename().string(); });
    return names;
}

// The platform's files, with failures switched on where a test needs them.
class FailingFileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> openShared(const std::string& path) override {
        if (failOpen) {
            error_ = 13;
            return nullptr;
        }
        auto file = real().openShared(path);
        error_ = real().lastError();
        return file;
    }
    std::unique_ptr<OutputFile> createExclusive(const std::string& path, bool mustBeNew) override {
        if (failCreate) {
            error_ = 30;
            return nullptr;
        }
        return real().createExclusive(path, mustBeNew);
    }
    bool replace(const std::string& source, const std::string& target) override {
        return !failReplace && real().replace(source, target);
    }
    bool remove(const std::string& path) override { return real().remove(path); }
    std::string resolve(const std::string& path) override { return real().resolve(path); }
    int lastError() const override { return error_; }

    bool failOpen = false;
    bool failCreate = false;
    bool failReplace = false;

  private:
    static FileSystem& real() { return platformFileSystem(); }
    int error_ = 0;
};

const char* const kAllKeysInOrder =
    "[Maresh Zor Lyrics plugin]\r\n"
    "Screen_x=50\r\nScreen_y=50\r\nScreenWidth=600\r\nScreenHeight=300\r\n"
    "CenterHighlight=1\r\nMoveBar=1\r\nShowMenu=1\r\nShowOsciloscope=1\r\n"
    "ShowCentered=1\r\nAdjustWidth=0\r\nShowVerticalScroll=0\r\n"
    "BKColor=657930\r\nBKWindowColor=3947580\r\nTXTColor=15790320\r\nHLColor=0\r\n"
    "HLTXTColor=16777088\r\nOscBkColor=4669769\r\nOscColor=12245206\r\n"
    "FontFamily=Arial\r\nFontWeight=400\r\nFontSize=8\r\nFontItalic=0\r\n"
    "AlternativeLRCPath=\r\nIsOneLine=0\r\nCodePage=0\r\nPreciseTiming=0\r\nLatencyMs=0\r\n"
    "DetectCodePage=1\r\nSameTimeLines=0\r\n"
    "OnlineLyrics=0\r\nOnlineServer=https://lrclib.net\r\n";

class SettingsStoreTest : public ::testing::Test {
  protected:
    SettingsStoreTest()
        : settings(
              {app, colours, list},
              [](const std::string& path) {
                  return std::make_unique<IniFile>(platformFileSystem(), path);
              },
              [this] { ++refreshes; }) {}

    std::string iniPath() const { return folder.file("plugin.ini"); }
    std::string ini() const { return contents(iniPath()); }
    void save(bool oneLine = false) { settings.saveSettings(module, {true, oneLine}); }

    TempFolder folder;
    AppSettings app;
    WindowColours colours;
    ListSettings list;
    int refreshes = 0;
    SettingsStore settings;
    SettingsModule module{folder.file("vis_zorlyrics.dll"), kSection};
};

TEST(SettingsStore, FilePathSitsBesideTheLibrary) {
    EXPECT_EQ(settingsFilePath("C:\\Program Files\\Winamp\\Plugins\\vis_zorlyrics.dll"),
              "C:\\Program Files\\Winamp\\Plugins\\plugin.ini");
    EXPECT_EQ(settingsFilePath("/opt/winamp/Plugins/vis_zorlyrics.dll"),
              "/opt/winamp/Plugins/plugin.ini");
    EXPECT_EQ(settingsFilePath("vis_zorlyrics.dll"), "plugin.ini");
    EXPECT_EQ(settingsFilePath(""), "plugin.ini");

    const std::string folder249 = "C:\\" + std::string(245, 'f') + "\\";
    EXPECT_EQ(settingsFilePath(folder249 + "vis.dll"), folder249 + "plugin.ini");  // 259
    EXPECT_EQ(settingsFilePath("C:\\" + std::string(246, 'f') + "\\vis.dll"), std::nullopt);
}

TEST_F(SettingsStoreTest, FirstStartKeepsDefaultsAndFirstSaveWritesAllKeysInOrder) {
    settings.loadSettings(module);
    EXPECT_EQ(refreshes, 1);
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
    EXPECT_EQ(app.ScreenWidth, 600);
    EXPECT_EQ(list.FontFamily, "Arial");

    save();
    EXPECT_EQ(ini(), kAllKeysInOrder);
    save();  // the second save at shutdown writes the same values
    EXPECT_EQ(ini(), kAllKeysInOrder);
}

TEST_F(SettingsStoreTest, LoadTakesWhatTheFileHoldsAndLeavesTheRest) {
    store(iniPath(),
          "[maresh zor LYRICS plugin]\r\n"
          "fontsize=-12\r\n"
          "BKCOLOR=abc\r\n"
          "FontFamily=" +
              std::string(60, 'F') +
              "\r\n"
              "  Screen_x = -40px \r\n"
              "OscColor=-1\r\n"
              "AlternativeLRCPath=D:\\Lyrics\\\r\n");
    app.Screen_y = 77;  // a running plug-in's value stands in for an absent key
    settings.loadSettings(module);

    EXPECT_EQ(list.FontSize, 12);
    EXPECT_EQ(colours.BKColor, 0u);
    EXPECT_EQ(list.FontFamily, std::string(49, 'F'));
    EXPECT_EQ(app.Screen_x, -40);
    EXPECT_EQ(colours.OscColor, 0xFFFFFFFFu);
    EXPECT_EQ(app.AlternativeLRCPath, "D:\\Lyrics\\");
    EXPECT_EQ(app.Screen_y, 77);
    EXPECT_EQ(app.ScreenHeight, 300);
    EXPECT_EQ(list.HLTXTColor, 16777088u);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(SettingsStoreTest, TimingSettingsLoadWithTheLatencyHeldToFiveSeconds) {
    for (const auto& [text, latency] : std::vector<std::pair<std::string, int>>{
             {"250", 250}, {"-5000", -5000}, {"9000", 5000}, {"-70000", -5000}}) {
        store(iniPath(),
              "[Maresh Zor Lyrics plugin]\r\nPreciseTiming=1\r\nLatencyMs=" + text + "\r\n");
        settings.loadSettings(module);
        EXPECT_EQ(app.PreciseTiming, 1);
        EXPECT_EQ(app.LatencyMs, latency) << text;
    }
}

TEST_F(SettingsStoreTest, IntegersReadFromTheirLeadingDigits) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"123abc", 123},
        {"-7", -7},
        {"abc", 0},
        {"+5", 0},
        {"", 0},
        {"-", 0},
        {"-x9", 0},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"4294967295", -1},
        {"1 2", 1},
    };
    IniFile file(platformFileSystem(), iniPath());
    for (const auto& [text, expected] : cases) {
        ASSERT_TRUE(file.write(kSection, "Value", text));
        int value = 99;
        EXPECT_EQ(readIntSetting(file, kSection, "Value", value), expected) << text;
        EXPECT_EQ(value, expected) << text;
    }

    ASSERT_TRUE(file.write(kSection, "FontSize", "-2147483648"));
    int size = 8;
    EXPECT_EQ(readIntSetting(file, kSection, "FontSize", size, true), INT_MAX);

    int untouched = 42;
    EXPECT_EQ(readIntSetting(file, kSection, "Absent", untouched, true), 42);
    EXPECT_EQ(readIntSetting(file, "Other section", "Value", untouched), 42);
}

TEST_F(SettingsStoreTest, StringsAreCutToTheirCapacity) {
    IniFile file(platformFileSystem(), iniPath());
    ASSERT_TRUE(file.write(kSection, "AlternativeLRCPath", std::string(600, 'p')));
    std::string path = "kept";
    readStringSetting(file, kSection, "AlternativeLRCPath", path, kAlternativePathCapacity);
    EXPECT_EQ(path.size(), 511u);

    std::string absent = "kept";
    readStringSetting(file, kSection, "FontFamily", absent, kFontFamilyCapacity);
    EXPECT_EQ(absent, "kept");

    ASSERT_TRUE(file.write(kSection, "FontFamily", ""));
    readStringSetting(file, kSection, "FontFamily", absent, kFontFamilyCapacity);
    EXPECT_EQ(absent, "");
}

TEST_F(SettingsStoreTest, OneLineIsSavedOnlyWhileInEffect) {
    app.IsOneLine = 1;
    save(true);
    EXPECT_NE(ini().find("IsOneLine=1\r\n"), std::string::npos);
    EXPECT_EQ(app.IsOneLine, 1);

    save(false);
    EXPECT_NE(ini().find("IsOneLine=0\r\n"), std::string::npos);
    EXPECT_EQ(app.IsOneLine, 0);
}

TEST_F(SettingsStoreTest, NoPluginWindowWritesNothing) {
    app.IsOneLine = 1;
    settings.saveSettings(module, {false, false});
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
    EXPECT_EQ(app.IsOneLine, 1);

    store(iniPath(), "[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n");
    app.MoveBar = 1;
    settings.saveSettings(module, {false, true});
    EXPECT_EQ(ini(), "[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n");
}

TEST_F(SettingsStoreTest, SaveReplacesInPlaceAndKeepsEverythingElse) {
    const std::string before =
        "; written by hand\r\n"
        "[Other plugin]\r\n"
        "Screen_x=1\r\n"
        "\r\n"
        "[MARESH ZOR LYRICS PLUGIN]\r\n"
        "screen_x = 5\r\n"
        "Custom=keep me\r\n"
        "ShowMenu=0\r\n"
        "\r\n"
        "[Tail]\n"
        "IsOneLine=1";
    store(iniPath(), before);
    app.Screen_x = 123;
    app.ShowMenu = 0;
    save();

    const std::string after = ini();
    const std::string appended =
        "Screen_y=50\r\nScreenWidth=600\r\nScreenHeight=300\r\nCenterHighlight=1\r\nMoveBar=1\r\n"
        "ShowOsciloscope=1\r\nShowCentered=1\r\nAdjustWidth=0\r\nShowVerticalScroll=0\r\n"
        "BKColor=657930\r\nBKWindowColor=3947580\r\nTXTColor=15790320\r\nHLColor=0\r\n"
        "HLTXTColor=16777088\r\nOscBkColor=4669769\r\nOscColor=12245206\r\n"
        "FontFamily=Arial\r\nFontWeight=400\r\nFontSize=8\r\nFontItalic=0\r\n"
        "AlternativeLRCPath=\r\nIsOneLine=0\r\nCodePage=0\r\nPreciseTiming=0\r\nLatencyMs=0\r\n"
        "DetectCodePage=1\r\nSameTimeLines=0\r\n"
        "OnlineLyrics=0\r\nOnlineServer=https://lrclib.net\r\n";
    EXPECT_EQ(after,
              "; written by hand\r\n"
              "[Other plugin]\r\n"
              "Screen_x=1\r\n"
              "\r\n"
              "[MARESH ZOR LYRICS PLUGIN]\r\n"
              "screen_x=123\r\n"
              "Custom=keep me\r\n"
              "ShowMenu=0\r\n" +
                  appended +
                  "\r\n"
                  "[Tail]\n"
                  "IsOneLine=1");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"plugin.ini"});
}

TEST_F(SettingsStoreTest, LoadPositionReadsThePlacementKeysOnly) {
    store(iniPath(),
          "[Maresh Zor Lyrics plugin]\r\nScreen_x=10\r\nScreen_y=-20\r\nScreenWidth=30\r\n"
          "ScreenHeight=40\r\nMoveBar=0\r\nFontSize=-3\r\n");
    settings.loadWindowPosition(module);
    EXPECT_EQ(app.Screen_x, 10);
    EXPECT_EQ(app.Screen_y, -20);
    EXPECT_EQ(app.ScreenWidth, 30);
    EXPECT_EQ(app.ScreenHeight, 40);
    EXPECT_EQ(app.MoveBar, 1);
    EXPECT_EQ(list.FontSize, 8);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(SettingsStoreTest, ColoursAndTextsSurviveASaveAndLoad) {
    colours.OscColor = 0xFFFFFFFFu;
    list.HLColor = 0x00123456u;
    list.FontFamily = "Times New Roman";
    app.AlternativeLRCPath = "C:\\Lyrics\\\r\n[Injected]";
    save();
    EXPECT_NE(ini().find("OscColor=-1\r\n"), std::string::npos);
    EXPECT_EQ(ini().find("[Injected]"), std::string::npos);

    AppSettings app2;
    WindowColours colours2;
    ListSettings list2;
    SettingsStore reloaded({app2, colours2, list2}, [](const std::string& path) {
        return std::make_unique<IniFile>(platformFileSystem(), path);
    });
    reloaded.loadSettings(module);
    EXPECT_EQ(colours2.OscColor, 0xFFFFFFFFu);
    EXPECT_EQ(list2.HLColor, 0x00123456u);
    EXPECT_EQ(list2.FontFamily, "Times New Roman");
    EXPECT_EQ(app2.AlternativeLRCPath, "C:\\Lyrics\\");
}

TEST_F(SettingsStoreTest, FailedWritesChangeNothing) {
    FailingFileSystem files;
    files.failCreate = true;
    SettingsStore failing({app, colours, list}, [&files](const std::string& path) {
        return std::make_unique<IniFile>(files, path);
    });
    store(iniPath(), "[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n");
    app.MoveBar = 1;
    app.Screen_x = 321;
    failing.saveSettings(module, {true, false});
    EXPECT_EQ(ini(), "[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n");
    EXPECT_EQ(app.MoveBar, 1);
    EXPECT_EQ(app.Screen_x, 321);
}

class IniFileTest : public ::testing::Test {
  protected:
    std::string path() const { return folder.file("plugin.ini"); }
    TempFolder folder;
    FailingFileSystem files;
    IniFile file{files, folder.file("plugin.ini")};
};

TEST_F(IniFileTest, ReadsAnyLineEndAndTheFirstSectionOfAName) {
    store(path(), "[A]\nk=lf\r[B]\rk=cr\r\n[a]\r\nk=second\r\nonly=here\r\n");
    EXPECT_EQ(file.read("a", "K"), "lf");
    EXPECT_EQ(file.read("b", "k"), "cr");
    EXPECT_EQ(file.read("A", "only"), std::nullopt);
    EXPECT_EQ(file.read("C", "k"), std::nullopt);
    EXPECT_EQ(file.read("A", "=k"), std::nullopt);
}

TEST_F(IniFileTest, WritesCreateTheFileAndAppendMissingSections) {
    ASSERT_TRUE(file.write("First", "a", "1"));
    EXPECT_EQ(contents(path()), "[First]\r\na=1\r\n");

    store(path(), "[First]\r\na=1");  // no line break at the end
    ASSERT_TRUE(file.write("First", "b", "2"));
    ASSERT_TRUE(file.write("Second", "c", "3"));
    ASSERT_TRUE(file.write("first", "A", "one"));
    EXPECT_EQ(contents(path()), "[First]\r\na=one\r\nb=2\r\n[Second]\r\nc=3\r\n");
}

TEST_F(IniFileTest, HandlesALargeFileOfBinaryBytes) {
    std::string text;
    std::uint32_t seed = 12345;
    for (int line = 0; line < 100000; ++line) {
        for (int i = 0; i < 12; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.push_back(static_cast<char>(seed >> 24));
        }
        text += "\r\n";
    }
    text += "\r\n[Maresh Zor Lyrics plugin]\r\nMoveBar=0\r\n";
    store(path(), text);

    EXPECT_EQ(file.read(kSection, "MoveBar"), "0");
    ASSERT_TRUE(file.write(kSection, "MoveBar", "1"));
    ASSERT_TRUE(file.write(kSection, "ShowMenu", "0"));
    text.replace(text.size() - 3, 1, "1");
    EXPECT_EQ(contents(path()), text + "ShowMenu=0\r\n");

    store(path(), std::string("[S]\r\nk=a\0b\r\n", 12));
    EXPECT_EQ(file.read("S", "k"), "a");
}

TEST_F(IniFileTest, FailedWriteLosesNothingAndLeavesNoTemporaryFile) {
    const std::string before = "[S]\r\nk=old\r\n";
    store(path(), before);

    files.failCreate = true;
    EXPECT_FALSE(file.write("S", "k", "new"));
    files.failCreate = false;
    files.failReplace = true;
    EXPECT_FALSE(file.write("S", "k", "new"));
    files.failReplace = false;
    files.failOpen = true;  // an existing file that cannot be read is never overwritten
    EXPECT_FALSE(file.write("S", "k", "new"));

    EXPECT_EQ(contents(path()), before);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"plugin.ini"});
}

TEST_F(IniFileTest, ReadOnlyFolderRefusesTheWrite) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const std::string before = "[S]\r\nk=old\r\n";
    store(path(), before);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    EXPECT_FALSE(file.write("S", "k", "new"));
    EXPECT_EQ(file.read("S", "k"), "old");
    EXPECT_EQ(contents(path()), before);
}

}  // namespace
}  // namespace zor

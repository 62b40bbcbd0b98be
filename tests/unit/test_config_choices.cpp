#include <gtest/gtest.h>

#include <string>

#include "config/ConfigDialogChoices.h"
#include "config/FolderTreeNames.h"

namespace zor {
namespace {

struct AllSettings {
    AppSettings app;
    WindowColours window;
    ListSettings list;
    ConfigSettings view() { return ConfigSettings{app, window, list}; }
};

// Each control edits its own setting: a swapped id would show a colour or a switch in the wrong
// place, and write it back into the wrong key.
TEST(ConfigChoices, TheLatencyFieldTakesWholeMillisecondsWithinFiveSeconds) {
    const struct {
        const char* text;
        std::optional<int> latency;
    } cases[] = {
        {"0", 0},
        {"250", 250},
        {"-120", -120},
        {" +80 ", 80},
        {"5000", 5000},
        {"9000", 5000},
        {"-99999999999", -5000},
        {"", {}},
        {"12ms", {}},
        {"-", {}},
        {"1.5", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(latencyFromText(c.text), c.latency) << "'" << c.text << "'";
    }
}

TEST(ConfigChoices, EveryControlEditsItsOwnSetting) {
    AllSettings s;
    const ConfigSettings view = s.view();
    struct Check {
        int id;
        int* setting;
    };
    const Check checks[] = {
        {1002, &s.app.CenterHighlight}, {1003, &s.app.ShowOsciloscope},
        {1004, &s.app.ShowMenu},        {1007, &s.list.AdjustWidth},
        {1008, &s.list.ShowCentered},   {1009, &s.list.ShowVerticalScroll},
        {1010, &s.app.MoveBar},         {1060, &s.app.PreciseTiming},
        {1062, &s.app.DetectCodePage},  {1063, &s.app.SameTimeLines},
        {1064, &s.app.OnlineLyrics},
    };
    for (const Check& check : checks) {
        EXPECT_EQ(checkBoxSetting(view, check.id), check.setting) << check.id;
    }
    struct Swatch {
        int id;
        Colour* setting;
    };
    const Swatch swatches[] = {
        {1300, &s.window.BKColor},       {1301, &s.list.TXTColor},     {1302, &s.list.HLColor},
        {1303, &s.list.HLTXTColor},      {1304, &s.window.OscBkColor}, {1305, &s.window.OscColor},
        {1306, &s.window.BKWindowColor},
    };
    for (const Swatch& swatch : swatches) {
        EXPECT_EQ(swatchColour(view, swatch.id), swatch.setting) << swatch.id;
    }
    for (int other : {1005, 1027, 1307, 1308}) {
        EXPECT_EQ(checkBoxSetting(view, other), nullptr) << other;
        EXPECT_EQ(swatchColour(view, other), nullptr) << other;
    }
}

TEST(ConfigChoices, ChosenFontBecomesTheFontSettings) {
    struct Case {
        FontChoice choice;
        int size;
        const char* summary;
    };
    const Case cases[] = {
        {{"Arial", 400, 0, 80}, 8, "Arial, 8, Normal"},
        {{"Tahoma", 400, 0, 105}, 10, "Tahoma, 10, Normal"},  // whole points, cut down
        {{"Verdana", 300, 0, 120}, 12, "Verdana, 12, Bold"},  // any weight but 400 is Bold
        {{"Verdana", 900, 1, 99}, 9, "Verdana, 9, Bold, Italic"},
        {{"Courier New", 700, 255, 140}, 14, "Courier New, 14, Bold, Italic"},
    };
    for (const Case& c : cases) {
        ListSettings list;
        applyFontChoice(list, c.choice);
        EXPECT_EQ(list.FontSize, c.size) << c.summary;
        EXPECT_EQ(list.FontWeight, c.choice.weight) << c.summary;
        EXPECT_EQ(list.FontFamily, c.choice.faceName) << c.summary;
        EXPECT_EQ(fontSummary(list), c.summary);
    }
}

TEST(ConfigChoices, TextsKeepTheirLimits) {
    ListSettings list;
    applyFontChoice(list, FontChoice{std::string(60, 'F'), 400, 0, 80});
    EXPECT_EQ(list.FontFamily, std::string(49, 'F'));
    EXPECT_EQ(storedAlternativePath(std::string(600, 'p')).size(), 511u);
    EXPECT_EQ(storedAlternativePath("C:\\Lyrics\\"), "C:\\Lyrics\\");
    EXPECT_EQ(browserStartPath(""), "c:");
    EXPECT_EQ(browserStartPath("D:\\Music\\"), "D:\\Music\\");
}

TEST(ConfigChoices, ClickHitsTheRectangleWithItsEdges) {
    EXPECT_TRUE(hitsRect(10, 20, 10, 20, 30, 40));
    EXPECT_TRUE(hitsRect(30, 40, 10, 20, 30, 40));
    EXPECT_FALSE(hitsRect(9, 30, 10, 20, 30, 40));
    EXPECT_FALSE(hitsRect(20, 41, 10, 20, 30, 40));
}

TEST(FolderTreeNames, CapitalizeNameOnlyTamesCapitals) {
    const std::pair<const char*, const char*> cases[] = {
        {"PROGRAM FILES", "Program files"},
        {"WINDOWS", "Windows"},
        {"Windows Media", "Windows Media"},
        {"mUSIC", "mUSIC"},
        {"C:", "C:"},
        {"", ""},
        {"2024", "2024"},
        {"_LYRICS", "_lyrics"},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(CapitalizeName(text), shown) << text;
    }
}

TEST(FolderTreeNames, GetPathComponentSplitsAtBackslashes) {
    const std::string path = "C:\\Music\\Lyrics\\";
    const char* parts[] = {"C:", "Music", "Lyrics", ""};
    std::string part;
    for (std::size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(GetPathComponent(path, i, part)) << i;
        EXPECT_EQ(part, parts[i]) << i;
    }
    EXPECT_FALSE(GetPathComponent(path, 4, part));

    ASSERT_TRUE(GetPathComponent("c:", 0, part));
    EXPECT_EQ(part, "c:");
    EXPECT_FALSE(GetPathComponent("c:", 1, part));

    // A network path starts with an empty part, then the server and the share.
    ASSERT_TRUE(GetPathComponent("\\\\SERVER\\Music\\", 0, part));
    EXPECT_EQ(part, "");
    ASSERT_TRUE(GetPathComponent("\\\\SERVER\\Music\\", 2, part));
    EXPECT_EQ(part, "SERVER");
}

TEST(FolderTreeNames, SameNameIgnoresCase) {
    EXPECT_TRUE(sameName("c:", "C:"));
    EXPECT_TRUE(sameName("Program files", "PROGRAM FILES"));
    EXPECT_FALSE(sameName("Music", "Musics"));
}

}  // namespace
}  // namespace zor

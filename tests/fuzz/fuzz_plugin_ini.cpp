// plugin.ini as any bytes: the settings load over it, then a save and a second load, which must
// give back every value the save wrote; and one key written into the text reads back as written.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "config/IniFile.h"
#include "config/SettingsStore.h"

namespace {

using zor::fuzz::check;

constexpr const char* kFolder = "/plugins/";
constexpr const char* kIniPath = "/plugins/plugin.ini";
constexpr const char* kSection = "Maresh Zor Lyrics plugin";

struct Holders {
    zor::AppSettings app;
    zor::WindowColours colours;
    zor::ListSettings list;
};

// Values read back have no blanks around them, as the profile services give them.
std::string trimmedText(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameSettings(const Holders& a, const Holders& b) {
    return a.app.Screen_x == b.app.Screen_x && a.app.Screen_y == b.app.Screen_y &&
           a.app.ScreenWidth == b.app.ScreenWidth && a.app.ScreenHeight == b.app.ScreenHeight &&
           a.app.CenterHighlight == b.app.CenterHighlight && a.app.MoveBar == b.app.MoveBar &&
           a.app.ShowMenu == b.app.ShowMenu && a.app.ShowOsciloscope == b.app.ShowOsciloscope &&
           trimmedText(a.app.AlternativeLRCPath) == trimmedText(b.app.AlternativeLRCPath) &&
           a.app.IsOneLine == b.app.IsOneLine && a.colours.BKColor == b.colours.BKColor &&
           a.colours.BKWindowColor == b.colours.BKWindowColor &&
           a.colours.OscBkColor == b.colours.OscBkColor &&
           a.colours.OscColor == b.colours.OscColor && a.list.ShowCentered == b.list.ShowCentered &&
           a.list.AdjustWidth == b.list.AdjustWidth &&
           a.list.ShowVerticalScroll == b.list.ShowVerticalScroll &&
           a.list.TXTColor == b.list.TXTColor && a.list.HLColor == b.list.HLColor &&
           a.list.HLTXTColor == b.list.HLTXTColor &&
           trimmedText(a.list.FontFamily) == trimmedText(b.list.FontFamily) &&
           a.list.FontWeight == b.list.FontWeight && a.list.FontSize == b.list.FontSize &&
           a.list.FontItalic == b.list.FontItalic;
}

void load(zor::fuzz::MemoryFileSystem& files, Holders& holders) {
    zor::SettingsStore store(
        {holders.app, holders.colours, holders.list},
        [&files](const std::string& path) { return std::make_unique<zor::IniFile>(files, path); });
    store.loadSettings({std::string(kFolder) + "vis_zorlyrics.dll", kSection});
}

void save(zor::fuzz::MemoryFileSystem& files, Holders& holders) {
    zor::SettingsStore store(
        {holders.app, holders.colours, holders.list},
        [&files](const std::string& path) { return std::make_unique<zor::IniFile>(files, path); });
    store.saveSettings({std::string(kFolder) + "vis_zorlyrics.dll", kSection}, {true, true});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zor::fuzz::MemoryFileSystem files;
    files.files[kIniPath] = text;

    Holders loaded;
    load(files, loaded);
    check(loaded.list.FontSize >= 0, "a negative font size");
    // The capacities count characters; the file's text, in either form, reads as UTF-8.
    check(zor::utf8CharCount(loaded.list.FontFamily) < zor::kFontFamilyCapacity,
          "FontFamily too long");
    check(zor::utf8CharCount(loaded.app.AlternativeLRCPath) < zor::kAlternativePathCapacity,
          "AlternativeLRCPath too long");
    check(
        zor::isValidUtf8(loaded.list.FontFamily) && zor::isValidUtf8(loaded.app.AlternativeLRCPath),
        "a setting that is not UTF-8");

    Holders saved = loaded;
    save(files, saved);
    Holders reloaded;
    load(files, reloaded);
    check(sameSettings(saved, reloaded), "a saved value does not load back");
    check(files.files.size() == 1, "a temporary file was left");

    // A key and value taken from the input, written into the original text.
    files.files[kIniPath] = text;
    zor::IniFile ini(files, kIniPath);
    const std::string key = "Key" + std::to_string(size % 7);
    const std::string value = "v" + std::to_string(size);
    check(ini.write(kSection, key, value), "a write failed");
    const auto back = ini.read(kSection, key);
    check(back && *back == value, "a written key does not read back");
    return 0;
}

// The settings store: the plugin.ini keys, their holders and the order they are read and
// written in.
#include "config/SettingsStore.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

constexpr const char* kSettingsFileName = "plugin.ini";
constexpr std::size_t kNoSeparator = std::string::npos;

std::size_t lastSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of('\\');
#else
    return path.find_last_of("\\/");
#endif
}

// A leading minus sign and the digits after it, wrapping at 32 bits as the platform's profile
// reader does; anything else reads as 0.
int parseSettingInt(const std::string& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        ++i;
    }
    std::uint32_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10U + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        magnitude = 0U - magnitude;
    }
    return static_cast<std::int32_t>(magnitude);
}

// INT_MIN has no positive counterpart; the nearest one keeps the size non-negative.
int absoluteValue(int value) {
    if (value == INT_MIN) {
        return INT_MAX;
    }
    return value < 0 ? -value : value;
}

// The four keys of the floating frame's placement, first in the file's order.
template <typename Visitor>
void visitWindowPosition(AppSettings& app, Visitor& visit) {
    visit.integer("Screen_x", app.Screen_x);
    visit.integer("Screen_y", app.Screen_y);
    visit.integer("ScreenWidth", app.ScreenWidth);
    visit.integer("ScreenHeight", app.ScreenHeight);
}

// Every key, in the order load-all reads them and save-all writes them.
template <typename Visitor>
void visitSettings(const SettingsHolders& holders, Visitor& visit) {
    AppSettings& app = holders.app;
    WindowColours& colours = holders.colours;
    ListSettings& list = holders.list;
    visitWindowPosition(app, visit);
    visit.integer("CenterHighlight", app.CenterHighlight);
    visit.integer("MoveBar", app.MoveBar);
    visit.integer("ShowMenu", app.ShowMenu);
    visit.integer("ShowOsciloscope", app.ShowOsciloscope);
    visit.integer("ShowCentered", list.ShowCentered);
    visit.integer("AdjustWidth", list.AdjustWidth);
    visit.integer("ShowVerticalScroll", list.ShowVerticalScroll);
    visit.colour("BKColor", colours.BKColor);
    visit.colour("BKWindowColor", colours.BKWindowColor);
    visit.colour("TXTColor", list.TXTColor);
    visit.colour("HLColor", list.HLColor);
    visit.colour("HLTXTColor", list.HLTXTColor);
    visit.colour("OscBkColor", colours.OscBkColor);
    visit.colour("OscColor", colours.OscColor);
    visit.text("FontFamily", list.FontFamily, kFontFamilyCapacity);
    visit.integer("FontWeight", list.FontWeight);
    visit.integer("FontSize", list.FontSize, true);
    visit.integer("FontItalic", list.FontItalic);
    visit.text("AlternativeLRCPath", app.AlternativeLRCPath, kAlternativePathCapacity);
    visit.integer("IsOneLine", app.IsOneLine);
    // The keys added since the first release, kept together after it.
    visit.integer("CodePage", app.CodePage);
    visit.integer("PreciseTiming", app.PreciseTiming);
    visit.integer("LatencyMs", app.LatencyMs);
    visit.integer("DetectCodePage", app.DetectCodePage);
    visit.integer("SameTimeLines", app.SameTimeLines);
    visit.integer("OnlineLyrics", app.OnlineLyrics);
    visit.text("OnlineServer", app.OnlineServer, kOnlineServerCapacity);
}

// Colours are stored as the signed decimal of their 32 bits.
int colourAsInt(Colour colour) {
    return static_cast<std::int32_t>(colour);
}

class SettingsReader {
  public:
    SettingsReader(ProfileFile& file, const std::string& section)
        : file_(file), section_(section) {}
    void integer(const char* key, int& value, bool absolute = false) {
        readIntSetting(file_, section_, key, value, absolute);
    }
    void colour(const char* key, Colour& value) {
        int number = colourAsInt(value);
        value = static_cast<Colour>(readIntSetting(file_, section_, key, number));
    }
    void text(const char* key, std::string& value, std::size_t capacity) {
        readStringSetting(file_, section_, key, value, capacity);
    }

  private:
    ProfileFile& file_;
    const std::string& section_;
};

class SettingsWriter {
  public:
    SettingsWriter(ProfileFile& file, const std::string& section)
        : file_(file), section_(section) {}
    void integer(const char* key, const int& value, bool /*absolute*/ = false) {
        writeIntSetting(file_, section_, key, value);
    }
    void colour(const char* key, const Colour& value) {
        writeIntSetting(file_, section_, key, colourAsInt(value));
    }
    void text(const char* key, const std::string& value, std::size_t /*capacity*/) {
        writeStringSetting(file_, section_, key, value);
    }

  private:
    ProfileFile& file_;
    const std::string& section_;
};

}  // namespace

std::optional<std::string> settingsFilePath(const std::string& libraryFileName) {
    const std::size_t separator = lastSeparator(libraryFileName);
    const std::string folder =
        separator == kNoSeparator ? std::string() : libraryFileName.substr(0, separator + 1);
    std::string path = folder + kSettingsFileName;
    if (path.size() > kSettingsPathChars) {
        return std::nullopt;
    }
    return path;
}

int readIntSetting(ProfileFile& file, const std::string& section, const std::string& key,
                   int& value, bool absolute) {
    if (const auto text = file.read(section, key)) {
        value = parseSettingInt(*text);
        if (absolute) {
            value = absoluteValue(value);
        }
    }
    return value;
}

void readStringSetting(ProfileFile& file, const std::string& section, const std::string& key,
                       std::string& text, std::size_t capacity) {
    if (capacity == 0) {
        return;
    }
    if (const auto value = file.read(section, key)) {
        text = cutToChars(*value, capacity - 1);
    }
}

bool writeIntSetting(ProfileFile& file, const std::string& section, const std::string& key,
                     int value) {
    return file.write(section, key, std::to_string(value));
}

bool writeStringSetting(ProfileFile& file, const std::string& section, const std::string& key,
                        const std::string& text) {
    // A line break would end the value early and start a line of its own in the file.
    return file.write(section, key, text.substr(0, text.find_first_of("\r\n")));
}

SettingsStore::SettingsStore(const SettingsHolders& holders, OpenProfile openProfile,
                             RefreshColours refreshColours)
    : holders_(holders),
      openProfile_(std::move(openProfile)),
      refreshColours_(std::move(refreshColours)) {}

void SettingsStore::loadSettings(const SettingsModule& module) {
    if (const auto file = open(module)) {
        SettingsReader reader(*file, module.description);
        visitSettings(holders_, reader);
    }
    holders_.app.LatencyMs =
        std::clamp(holders_.app.LatencyMs, -kLargestLatencyMs, kLargestLatencyMs);
    if (refreshColours_) {
        refreshColours_();
    }
}

void SettingsStore::loadWindowPosition(const SettingsModule& module) {
    if (const auto file = open(module)) {
        SettingsReader reader(*file, module.description);
        visitWindowPosition(holders_.app, reader);
    }
}

void SettingsStore::saveSettings(const SettingsModule& module, SaveConditions conditions) {
    if (!conditions.pluginWindowExists) {
        return;
    }
    if (!conditions.oneLineInEffect) {
        holders_.app.IsOneLine = 0;
    }
    if (const auto file = open(module)) {
        SettingsWriter writer(*file, module.description);
        visitSettings(holders_, writer);
    }
}

std::unique_ptr<ProfileFile> SettingsStore::open(const SettingsModule& module) const {
    const auto path = settingsFilePath(module.libraryFileName);
    if (!path || !openProfile_) {
        return nullptr;
    }
    return openProfile_(*path);
}

}  // namespace zor

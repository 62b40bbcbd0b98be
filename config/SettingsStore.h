#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/ProfileFile.h"
#include "lyrics/ports/Settings.h"

namespace zor {

inline constexpr std::size_t kSettingsPathChars = 259;

// The settings file beside the library: its full file name cut after the last folder separator,
// then "plugin.ini"; a name without a separator gives "plugin.ini" alone. None when the result is
// longer than the platform's path buffer allows.
std::optional<std::string> settingsFilePath(const std::string& libraryFileName);

// One key of a section. An absent key leaves the value as it is. An integer is read from a
// leading minus sign and the digits after it; other text reads as 0. With absolute set the value
// is then made non-negative. Returns the new value.
int readIntSetting(ProfileFile& file, const std::string& section, const std::string& key,
                   int& value, bool absolute = false);
// A present key's text, cut to capacity - 1 characters (never inside one), as the fixed buffer
// it fills holds it.
void readStringSetting(ProfileFile& file, const std::string& section, const std::string& key,
                       std::string& text, std::size_t capacity);
bool writeIntSetting(ProfileFile& file, const std::string& section, const std::string& key,
                     int value);
bool writeStringSetting(ProfileFile& file, const std::string& section, const std::string& key,
                        const std::string& text);

// The objects that hold the settings in memory.
struct SettingsHolders {
    AppSettings& app;
    WindowColours& colours;
    ListSettings& list;
};

// What the operations take from the module record of the current host call.
struct SettingsModule {
    std::string libraryFileName;  // from the module's instance handle
    std::string description;      // the section name
};

// What the window side knows at the moment of a save.
struct SaveConditions {
    bool pluginWindowExists = false;
    bool oneLineInEffect = false;
};

// Moves the settings between their holders and the settings file, in one fixed order.
class SettingsStore {
  public:
    using OpenProfile = std::function<std::unique_ptr<ProfileFile>(const std::string& path)>;
    using RefreshColours = std::function<void()>;

    SettingsStore(const SettingsHolders& holders, OpenProfile openProfile,
                  RefreshColours refreshColours = {});

    // Reads every key into its holder, then lets the window take the new colours and font.
    void loadSettings(const SettingsModule& module);
    // Reads the four placement keys only; the caller applies them.
    void loadWindowPosition(const SettingsModule& module);
    // Writes every key, unless there is no plug-in window. IsOneLine is cleared first when the
    // one-line layout is not in effect. Write failures are ignored, as nothing can be done.
    void saveSettings(const SettingsModule& module, SaveConditions conditions);

  private:
    std::unique_ptr<ProfileFile> open(const SettingsModule& module) const;

    SettingsHolders holders_;
    OpenProfile openProfile_;
    RefreshColours refreshColours_;
};

}  // namespace zor

#pragma once

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lyrics/ports/HostLink.h"
#include "lyrics/ports/Prompt.h"

namespace zor::test {

// A host that answers metadata from a map and the playlist from one file and one title.
// Every field is public so a test sets up exactly the host it needs.
class FakeHostLink : public HostLink {
  public:
    std::map<std::string, std::string> metadata;  // key -> answer; a missing key is "no answer"
    std::optional<std::string> file;              // playlist file at listPos
    std::optional<std::string> title;             // playlist title at listPos
    std::string caption = "Winamp";
    bool playing = false;
    int timeMs = -1;
    int listPos = 0;
    std::vector<int> jumps;  // every jumpToTime, in order
    int playCount = 0;
    int fileInfoCount = 0;
    std::vector<std::string> askedKeys;  // every metadata key asked, in order

    bool isPlaying() override { return playing; }
    int outputTime() override { return timeMs; }
    void jumpToTime(int ms) override { jumps.push_back(ms); }
    int listPosition() override { return listPos; }
    std::optional<std::string> playlistFile(int index) override {
        return index == listPos ? file : std::nullopt;
    }
    std::optional<std::string> playlistTitle(int index) override {
        return index == listPos ? title : std::nullopt;
    }
    bool extendedFileInfo(const std::string& /*file*/, const std::string& key,
                          std::string& answer) override {
        askedKeys.push_back(key);
        auto found = metadata.find(key);
        if (found == metadata.end()) {
            return false;
        }
        answer = found->second;
        return true;
    }
    void play() override { ++playCount; }
    void showFileInfo() override { ++fileInfoCount; }
    std::string mainCaption() override { return caption; }
};

// A prompt that records every box and answers from a queue; an empty queue answers the
// box's first button (Ok or Yes).
class RecordingPrompt : public Prompt {
  public:
    struct Box {
        PromptOwner owner;
        std::string text;
        std::string caption;
        PromptButtons buttons;
        PromptIcon icon;
    };
    std::vector<Box> boxes;
    std::deque<PromptAnswer> answers;

    PromptAnswer show(PromptOwner owner, const std::string& text, const std::string& caption,
                      PromptButtons buttons, PromptIcon icon = PromptIcon::None) override {
        boxes.push_back(Box{owner, text, caption, buttons, icon});
        if (answers.empty()) {
            return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
        }
        PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zortest-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full name of relative, as text.
    std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }
    // Writes bytes to relative (folders are made as needed); returns its full name.
    std::string write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

}  // namespace zor::test

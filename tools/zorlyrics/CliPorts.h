#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "lyrics/ports/HostLink.h"
#include "lyrics/ports/Prompt.h"

namespace zor::cli {

// A host with one playlist entry, the song, answering only what the command line gave.
class CliHost final : public HostLink {
  public:
    CliHost(std::string song, std::map<std::string, std::string> metadata,
            std::optional<std::string> title)
        : song_(std::move(song)), metadata_(std::move(metadata)), title_(std::move(title)) {}

    bool isPlaying() override { return false; }
    int outputTime() override { return -1; }
    void jumpToTime(int /*ms*/) override {}
    int listPosition() override { return 0; }
    std::optional<std::string> playlistFile(int index) override {
        return index == 0 ? std::optional<std::string>(song_) : std::nullopt;
    }
    std::optional<std::string> playlistTitle(int index) override {
        return index == 0 ? title_ : std::nullopt;
    }
    bool extendedFileInfo(const std::string& /*file*/, const std::string& key,
                          std::string& answer) override {
        const auto found = metadata_.find(key);
        if (found == metadata_.end()) {
            return false;
        }
        answer = found->second;
        return true;
    }
    void play() override {}
    void showFileInfo() override {}
    std::string mainCaption() override { return {}; }

  private:
    std::string song_;
    std::map<std::string, std::string> metadata_;
    std::optional<std::string> title_;
};

// No one to ask: every question is declined.
class DecliningPrompt final : public Prompt {
  public:
    PromptAnswer show(PromptOwner /*owner*/, const std::string& /*text*/,
                      const std::string& /*caption*/, PromptButtons buttons,
                      PromptIcon /*icon*/) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
    }
};

}  // namespace zor::cli

#pragma once

#include <string>

#include "lyrics/model/LineList.h"

namespace zor {

class CLyricsPluginApp;
class CLyricsListBox;

// The core's view of one of the two lists of the current plug-in window object. Without a window
// object the list is empty and hidden and takes nothing.
class PluginListPort final : public LineList {
  public:
    enum class Which { lyrics, edit };

    PluginListPort(CLyricsPluginApp& app, Which which) : app_(app), which_(which) {}

    void append(const std::string& text) override;
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    std::string text(int index) const override;
    int count() const override;
    int selection() const override;
    void setSelection(int index) override;
    void clear() override;
    void setRedraw(bool on) override;
    bool isVisible() const override;

  private:
    CLyricsListBox* list() const;

    CLyricsPluginApp& app_;
    Which which_;
};

}  // namespace zor

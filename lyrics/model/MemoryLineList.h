#pragma once

#include <string>
#include <vector>

#include "lyrics/model/LineList.h"

namespace zor {

// A line list held in memory, with the behaviour of the real list box: an index outside the list
// is ignored by remove, inserting past the end appends, and a selection outside the list is
// accepted and leaves nothing selected, as the list box does.
class MemoryLineList final : public LineList {
  public:
    explicit MemoryLineList(bool visible = true) : visible_(visible) {}

    void append(const std::string& text) override;
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    std::string text(int index) const override;
    int count() const override { return static_cast<int>(items_.size()); }
    int selection() const override { return selection_; }
    void setSelection(int index) override;
    void clear() override;
    void setRedraw(bool on) override { redraw_ = on; }
    bool isVisible() const override { return visible_; }

    void setVisible(bool visible) { visible_ = visible; }
    bool redrawOn() const { return redraw_; }
    const std::vector<std::string>& items() const { return items_; }

  private:
    std::vector<std::string> items_;
    int selection_ = -1;
    bool visible_;
    bool redraw_ = true;
};

}  // namespace zor

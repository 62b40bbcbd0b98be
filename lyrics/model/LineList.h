#pragma once

#include <string>
#include <vector>

namespace zor {

// The list operations the lyrics model needs. The plug-in implements it over the real owner-drawn
// list box; tests and the command-line companion use MemoryLineList.
class LineList {
  public:
    virtual ~LineList() = default;

    virtual void append(const std::string& text) = 0;
    virtual void insert(int index, const std::string& text) = 0;
    virtual void remove(int index) = 0;
    // Text of the item, or the empty text for an index outside the list.
    virtual std::string text(int index) const = 0;
    virtual int count() const = 0;
    // -1 for none.
    virtual int selection() const = 0;
    // Any index is accepted, also one past the end (a tag may name a removed trailing line).
    virtual void setSelection(int index) = 0;
    virtual void clear() = 0;
    virtual void setRedraw(bool on) = 0;
    virtual bool isVisible() const = 0;
};

// Every item's text, in order.
inline std::vector<std::string> allItems(const LineList& list) {
    std::vector<std::string> items;
    const int n = list.count();
    items.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        items.push_back(list.text(i));
    }
    return items;
}

}  // namespace zor

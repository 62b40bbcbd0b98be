#include "lyrics/model/MemoryLineList.h"

#include "lyrics/model/TextLimits.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {
std::string asItem(const std::string& text) {
    return text.size() <= kMaxItemChars ? text : cutToChars(text, kMaxItemChars);
}
}  // namespace

void MemoryLineList::append(const std::string& text) {
    items_.push_back(asItem(text));
}

void MemoryLineList::insert(int index, const std::string& text) {
    if (index < 0 || index >= count()) {
        items_.push_back(asItem(text));
        return;
    }
    items_.insert(items_.begin() + index, asItem(text));
}

void MemoryLineList::remove(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    items_.erase(items_.begin() + index);
    if (selection_ == index) {
        selection_ = -1;
    } else if (selection_ > index) {
        --selection_;
    }
}

std::string MemoryLineList::text(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

void MemoryLineList::setSelection(int index) {
    selection_ = index >= 0 && index < count() ? index : -1;
}

void MemoryLineList::clear() {
    items_.clear();
    selection_ = -1;
}

}  // namespace zor

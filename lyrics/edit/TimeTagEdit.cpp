// Time-tag editing on editList: stamping lines with the playback time, removing the last tag,
// and stamping a repeated paragraph from the tags it had when edit mode was entered.
#include "lyrics/edit/TimeTagEdit.h"

#include <algorithm>
#include <climits>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TextLimits.h"
#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

std::string twoDigits(int number) {
    std::string text = std::to_string(number);
    return text.size() < 2 ? "0" + text : text;
}

// The item with the tag put after its last complete bracketed group, or in front of it all.
std::string withTag(const std::string& item, const std::string& tag) {
    const BracketGroup group = findLastTag(item);
    if (!group.complete()) {
        return tag + item;
    }
    return item.substr(0, group.close + 1) + tag + item.substr(group.close + 1);
}

void replaceItem(LineList& list, int index, const std::string& text) {
    list.remove(index);
    list.insert(index, text);
}

// The next line to stamp after sel: the following non-empty line, or the last line.
int nextLineToStamp(const LineList& list, int sel) {
    const int lastIndex = list.count() - 1;
    if (sel >= lastIndex) {
        return sel;
    }
    ++sel;
    while (sel < lastIndex && list.text(sel).empty()) {
        ++sel;
    }
    return sel;
}

int secondsToMs(long long seconds) {
    return static_cast<int>(std::min<long long>(seconds * 1000, INT_MAX));
}

struct EarlierTags {
    int latest = -1;  // seconds of the last counted tag, -1 for none
    int count = 0;
};

// The tags of line that are not later than now, in table order, counting at most maxCount.
EarlierTags earlierTags(const TimeTagTable& table, int line, int now, int maxCount) {
    EarlierTags found;
    for (const TimeTag& tag : table) {
        if (tag.line == kEndOfTable || found.count >= maxCount) {
            break;
        }
        if (tag.line == line && tag.seconds <= now) {
            found.latest = tag.seconds;
            ++found.count;
        }
    }
    return found;
}

}  // namespace

BracketGroup findLastTag(std::string_view line) {
    BracketGroup group;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = line.find('[', from);
        if (open == std::string_view::npos) {
            return group;
        }
        group.open = open;
        group.close = line.find(']', open + 1);
        if (group.close == std::string_view::npos) {
            return group;
        }
        from = group.close + 1;
    }
}

std::string timeTagText(int seconds) {
    return "[" + twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60) + "]";
}

int LyricsCore::insertTimeTag(int ms) {
    // Every press marks the document, also one that changes no text.
    modified = 1;
    const int sel = editList.selection();
    if (sel < 0) {
        return ms;
    }
    if (ms < 0) {
        ms = std::max(host.outputTime(), 0);
    }
    const int seconds = ms / 1000;
    const std::string text = withTag(editList.text(sel), timeTagText(seconds));
    if (utf8CharCount(text) > kMaxItemChars) {
        // No room for the tag: the line stays whole and selected, so the user sees it was not
        // stamped (and a paragraph completion stops here).
        return seconds;
    }
    replaceItem(editList, sel, text);
    editList.setSelection(nextLineToStamp(editList, sel));
    centerHighlight();
    return seconds;
}

void LyricsCore::removeTimeTag() {
    modified = 1;
    const int sel = editList.selection();
    if (sel < 0) {
        return;
    }
    const std::string item = editList.text(sel);
    const BracketGroup group = findLastTag(item);
    if (!group.complete()) {
        return;
    }
    replaceItem(editList, sel, item.substr(0, group.open) + item.substr(group.close + 1));
    editList.setSelection(sel);
    centerHighlight();
}

void LyricsCore::completeParagraph() {
    int line = editList.selection();
    if (line < 0 || editList.text(line).empty()) {
        return;
    }
    const int now = insertTimeTag(-1);
    const EarlierTags first = earlierTags(timeTags, line, now, INT_MAX);
    const long long delta = static_cast<long long>(now) - first.latest;
    int ref = first.latest;
    long long last = -1;
    // Each stamp that lands moves the selection to the very next line; anything else (an empty
    // line skipped, the last line, a refused stamp) ends the paragraph.
    while (editList.selection() == line + 1) {
        ++line;
        const std::string before = editList.text(line);
        if (before.empty()) {
            break;
        }
        ref = earlierTags(timeTags, line, now, first.count).latest;
        if (ref < 0) {
            break;
        }
        const long long stamp = ref + delta;
        insertTimeTag(secondsToMs(stamp));
        if (editList.text(line) == before) {
            break;
        }
        last = stamp;
    }
    if (ref >= 0 && last >= 0) {
        host.jumpToTime(secondsToMs(last));
    }
}

}  // namespace zor

// Time-tag editing on editList: stamping lines with the playback time, removing the last tag,
// and stamping a repeated paragraph from the tags it had when edit mode was entered.
#include "lyrics/edit/TimeTagEdit.h"

#include <algorithm>
#include <climits>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TagTime.h"
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

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, INT_MAX));
}

struct EarlierTags {
    long long latest = -1;  // time of the last counted tag, -1 for none
    int count = 0;
};

// The tags of line that are not later than now, in table order, counting at most maxCount;
// times in the table's unit: milliseconds with precise timing, else seconds.
EarlierTags earlierTags(const TimeTagTable& table, bool precise, int line, long long now,
                        int maxCount) {
    EarlierTags found;
    for (const TimeTag& tag : table) {
        if (found.count >= maxCount) {
            break;
        }
        const long long time = precise ? tag.ms : tag.seconds;
        if (tag.line == line && time <= now) {
            found.latest = time;
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

int LyricsCore::stampTimeAt(int positionMs) const {
    if (positionMs < 0) {
        return positionMs;
    }
    return clampToInt(lyricsTimeAt(positionMs));
}

int LyricsCore::insertTimeTag(int ms) {
    // Every press marks the document, also one that changes no text.
    modified = 1;
    const int sel = editList.selection();
    if (sel < 0) {
        return ms;
    }
    if (ms < 0) {
        ms = stampTimeAt(std::max(host.outputTime(), 0));
    }
    const bool precise = PreciseTiming != 0;
    const int time = precise ? ms : ms / 1000;
    const std::string tag = precise ? preciseTimeTagText(ms) : timeTagText(time);
    const std::string text = withTag(editList.text(sel), tag);
    if (utf8CharCount(text) > kMaxItemChars) {
        // No room for the tag: the line stays whole and selected, so the user sees it was not
        // stamped (and a paragraph completion stops here).
        return time;
    }
    replaceItem(editList, sel, text);
    editList.setSelection(nextLineToStamp(editList, sel));
    centerHighlight();
    return time;
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
    const bool precise = PreciseTiming != 0;
    const int now = insertTimeTag(-1);
    const EarlierTags first = earlierTags(timeTags, precise, line, now, INT_MAX);
    const long long delta = static_cast<long long>(now) - first.latest;
    long long ref = first.latest;
    long long last = -1;
    // Each stamp that lands moves the selection to the very next line; anything else (an empty
    // line skipped, the last line, a refused stamp) ends the paragraph.
    while (editList.selection() == line + 1) {
        ++line;
        const std::string before = editList.text(line);
        if (before.empty()) {
            break;
        }
        ref = earlierTags(timeTags, precise, line, now, first.count).latest;
        if (ref < 0) {
            break;
        }
        const long long stamp = ref + delta;
        insertTimeTag(precise ? clampToInt(stamp) : secondsToMs(stamp));
        if (editList.text(line) == before) {
            break;
        }
        last = stamp;
    }
    if (ref >= 0 && last >= 0) {
        host.jumpToTime(precise ? clampToInt(positionAt(last)) : secondsToMs(last));
    }
}

}  // namespace zor

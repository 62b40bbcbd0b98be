// What a save writes when the user adjusted the timing while listening: the lyrics' own
// [offset:] combined with the adjustment, so the file keeps the timing the user settled on.
#include <optional>
#include <string_view>

#include "lyrics/model/LyricsCore.h"
#include "lyrics/model/TagTime.h"
#include "lyrics/model/TextFunctions.h"

namespace zor {

namespace {

constexpr std::string_view kOffsetTagName = "[offset";

// A well-formed [offset:N] group in line: where it starts and ends, and its value.
struct OffsetGroup {
    std::size_t open = 0;
    std::size_t close = 0;
    int ms = 0;
};

std::optional<OffsetGroup> findOffsetGroup(std::string_view line) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = line.find('[', from);
        if (open == std::string_view::npos) {
            return std::nullopt;
        }
        const std::size_t close = line.find(']', open + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view group = line.substr(open, close - open);
        const std::size_t colon = group.find(':');
        if (colon != std::string_view::npos &&
            equalsIgnoringCase(group.substr(0, colon), kOffsetTagName)) {
            if (const std::optional<int> ms = readOffsetValue(group.substr(colon + 1))) {
                return OffsetGroup{open, close, *ms};
            }
        }
        from = close + 1;
    }
}

}  // namespace

std::vector<std::string> LyricsCore::linesToSave() const {
    std::vector<std::string> lines = allItems(editList);
    if (liveAdjustMs == 0) {
        return lines;
    }
    // The first well-formed [offset:] is the one the reader applies; it takes the sum.
    for (std::string& line : lines) {
        if (const std::optional<OffsetGroup> group = findOffsetGroup(line)) {
            line.replace(group->open, group->close - group->open + 1,
                         offsetTagText(static_cast<std::int64_t>(group->ms) + liveAdjustMs));
            return lines;
        }
    }
    lines.insert(lines.begin(), offsetTagText(liveAdjustMs));
    return lines;
}

}  // namespace zor

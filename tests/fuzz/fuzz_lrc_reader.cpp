// The LRC/TXT reader over any bytes, in both modes and from both sources. The first byte chooses
// the mode, the source and how many header items the list holds already; the second how many
// bytes each file read returns. A file read in small pieces must give what one read gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"

namespace {

using zor::fuzz::check;
using zor::fuzz::Core;
using zor::fuzz::MemoryInputFile;

struct Reading {
    std::vector<std::string> items;
    std::vector<std::pair<int, int>> tags;
    int count = 0;
    int droppedLines = 0;
};

Reading readInto(Core& c, int headerItems, std::string_view source, bool fromFile,
                 std::size_t chunk) {
    zor::LineList& list = c.core.visibleList();
    for (int i = 0; i < headerItems; ++i) {
        list.append("header " + std::to_string(i));
    }
    int count = headerItems;
    if (fromFile) {
        MemoryInputFile file(source, chunk);
        check(c.core.readLines(file, count) == 1, "readLines did not return 1");
    } else {
        check(c.core.readLines(source, count) == 1, "readLines did not return 1");
    }
    zor::fuzz::checkReadResult(c, count, fromFile);
    c.core.sortTimeTags();
    for (int second : {0, 1, 59, 60, 3599, 1 << 30}) {
        c.core.lineAtSecond(second);
    }
    Reading reading;
    const zor::MemoryLineList& shown = c.lyricsList.isVisible() ? c.lyricsList : c.editList;
    reading.items = shown.items();
    for (const zor::TimeTag& tag : c.core.timeTags) {
        reading.tags.emplace_back(tag.seconds, tag.line);
    }
    reading.count = count;
    reading.droppedLines = c.core.droppedLines;
    return reading;
}

bool same(const Reading& a, const Reading& b) {
    return a.items == b.items && a.tags == b.tags && a.count == b.count &&
           a.droppedLines == b.droppedLines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const bool editMode = (data[0] & 1) != 0;
    const bool fromFile = (data[0] & 2) != 0;
    const int headerItems = (data[0] >> 2) & 7;
    const std::size_t chunk = data[1] == 0 ? SIZE_MAX : data[1];
    const std::string_view source(reinterpret_cast<const char*>(data + 2), size - 2);

    Core first(editMode);
    const Reading reading = readInto(first, headerItems, source, fromFile, chunk);
    if (fromFile && chunk != SIZE_MAX) {
        Core whole(editMode);
        check(same(reading, readInto(whole, headerItems, source, true, SIZE_MAX)),
              "reading in pieces differs from one read");
    }
    return 0;
}

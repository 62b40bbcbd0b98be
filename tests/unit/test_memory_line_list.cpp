#include <gtest/gtest.h>

#include "lyrics/model/MemoryLineList.h"

namespace zor {
namespace {

TEST(MemoryLineList, BehavesLikeTheListBoxAtItsEdges) {
    MemoryLineList list;
    list.append("a");
    list.insert(5, "b");  // past the end appends
    list.insert(0, "c");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"c", "a", "b"}));
    list.remove(7);  // outside: ignored
    EXPECT_EQ(list.count(), 3);
    list.setSelection(9);  // accepted, nothing selected
    EXPECT_EQ(list.selection(), -1);
    list.setSelection(1);
    list.remove(0);
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(list.text(0), "a");
    EXPECT_EQ(list.text(-1), "");
    list.append(std::string(600, 'x'));
    EXPECT_EQ(list.text(2).size(), 511u);
}

}  // namespace
}  // namespace zor

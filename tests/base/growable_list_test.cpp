#include "base/growable_list.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

struct Slot {
  const void* owner;
  int value;
};

// The lists it replaced had a fixed cap (a desktop's windows past 2,048
// were forgotten) or took their room for their length; every element must
// survive each growth, and room made must read as zero.
TEST(GrowableListTest, KeepsEveryElementAcrossGrowthWithoutACap) {
  GrowableList<int> list;
  for (int i = 0; i < 5000; ++i) EXPECT_EQ(list.push_back(i), i);
  ASSERT_EQ(list.size(), 5000u);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(list[static_cast<std::size_t>(i)], i);

  GrowableList<Slot> slots;
  slots.grow_to(3);
  slots[1] = {&slots, 7};
  slots.grow_to(40);
  slots.grow_to(2);  // never shrinks
  ASSERT_EQ(slots.size(), 40u);
  EXPECT_EQ(slots[1].owner, &slots);
  EXPECT_EQ(slots[1].value, 7);
  for (std::size_t i = 2; i < slots.size(); ++i) EXPECT_EQ(slots[i].owner, nullptr) << i;
}

// As with std::vector, an element of the list may be appended to it, also
// at the push that moves the list to a bigger block.
TEST(GrowableListTest, AppendsItsOwnElementAcrossGrowth) {
  GrowableList<Slot> list;
  list.push_back({&list, 1});
  for (int i = 0; i < 40; ++i) {
    const Slot& copied = list.push_back(list[0]);
    ASSERT_EQ(copied.owner, &list) << i;
    ASSERT_EQ(copied.value, 1) << i;
  }
}

// Cleared, the list keeps its room; what grows into it again is zero, not
// the elements of before.
TEST(GrowableListTest, ClearedListGrowsBackToZeros) {
  GrowableList<int> list;
  for (int i = 1; i <= 10; ++i) list.push_back(i);
  list.clear();
  EXPECT_EQ(list.size(), 0u);
  list.grow_to(10);
  for (const int value : list.items()) EXPECT_EQ(value, 0);
}

}  // namespace
}  // namespace zrv

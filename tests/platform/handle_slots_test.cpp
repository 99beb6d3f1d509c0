// Handles of pictures and models: a released slot used again is not reached through the old
// handle, and the two kinds of handle cannot be passed for each other.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "platform/common/handle_slots.h"
#include "platform/dx.h"

namespace {

static_assert(!std::is_convertible_v<ModelHandle, GraphHandle> && !std::is_convertible_v<GraphHandle, ModelHandle>);
static_assert(!std::is_invocable_v<decltype(&dxDrawGraph), int, int, ModelHandle, int>);
static_assert(!std::is_invocable_v<decltype(&dxMV1DrawFrame), GraphHandle, int>);

TEST(HandleSlots, AReleasedSlotUsedAgainIsNotReachedThroughItsOldHandle) {
    HandleSlots<std::string> slots;
    const int first = slots.Add("first"), second = slots.Add("second");
    ASSERT_TRUE(slots.Remove(first));
    EXPECT_FALSE(slots.Remove(first));
    const int third = slots.Add("third");  // takes the first one's slot
    EXPECT_NE(third, first);
    EXPECT_EQ(third & 0xFFFF, first & 0xFFFF);
    EXPECT_EQ(slots.Find(first), nullptr);
    EXPECT_EQ(*slots.Find(third), "third");
    EXPECT_EQ(*slots.Find(second), "second");
    EXPECT_EQ(slots.Find(-1), nullptr);
    EXPECT_EQ(slots.Find(7), nullptr);
    // Through many reuses (past the generations a slot has) and a release of all, handles stay
    // positive and old ones stale.
    int handle = third;
    for (int i = 0; i < 70000; ++i) {
        ASSERT_TRUE(slots.Remove(handle));
        handle = slots.Add("again");
        ASSERT_GE(handle, 0);
        ASSERT_EQ(slots.Find(third), nullptr) << i;
    }
    slots.Clear();
    slots.Add("after");
    EXPECT_EQ(slots.Find(first), nullptr);
    EXPECT_EQ(slots.Find(second), nullptr);
}

}  // namespace

// Owned on fake handles, whose free function records every call: each handle is freed exactly
// once whatever the moves and resets, and a free that fails reaches the free-failure hook.
#include <gtest/gtest.h>

#include <vector>

#include "forms/owned.h"

namespace {

// A fake handle points at an int: 1 frees, 0 refuses to be freed (the free function answers 0).
std::vector<int*> freed;
int FreeFake(int* handle) {
    freed.push_back(handle);
    return *handle;
}
void FreeFakeQuietly(int* handle) { freed.push_back(handle); }
using TFake = Owned<int*, &FreeFake>;

std::vector<const void*> failures;
void CountFailure(const void* handle) { failures.push_back(handle); }

class OwnedHandles : public testing::Test {
protected:
    void SetUp() override {
        freed.clear();
        failures.clear();
        previousHook = SetFreeFailedHook(&CountFailure);
    }
    void TearDown() override { SetFreeFailedHook(previousHook); }

    int a = 1, b = 1, stuck = 0;
    TFreeFailedHook previousHook = nullptr;
};

}  // namespace

TEST_F(OwnedHandles, MovesHandOverOwnershipAndFreeOnlyTheHandleReplaced) {
    {
        TFake first(&a);
        TFake second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), &a);
        EXPECT_TRUE(freed.empty());

        TFake third(&b);
        third = std::move(second);  // b is replaced and freed, a moves on
        EXPECT_EQ(freed, std::vector<int*>{&b});
        EXPECT_EQ(third.Get(), &a);
        EXPECT_FALSE(second);
    }
    EXPECT_EQ(freed, (std::vector<int*>{&b, &a}));
    EXPECT_TRUE(failures.empty());
}

TEST_F(OwnedHandles, MovingOntoItselfKeepsTheHandle) {
    {
        TFake owner(&a);
        TFake& same = owner;
        owner = std::move(same);
        EXPECT_EQ(owner.Get(), &a);
        EXPECT_TRUE(freed.empty());
    }
    EXPECT_EQ(freed, std::vector<int*>{&a});
}

TEST_F(OwnedHandles, ResetFreesTheOldHandleAndReleaseFreesNothing) {
    TFake owner(&a);
    owner.Reset(&b);
    EXPECT_EQ(freed, std::vector<int*>{&a});
    EXPECT_EQ(owner.Get(), &b);
    owner.Reset();
    EXPECT_EQ(freed, (std::vector<int*>{&a, &b}));
    EXPECT_FALSE(owner);
    owner.Reset();  // empty: nothing to free
    EXPECT_EQ(freed.size(), 2u);

    owner.Reset(&a);
    EXPECT_EQ(owner.Release(), &a);
    EXPECT_FALSE(owner);
    EXPECT_EQ(freed.size(), 2u);
}

TEST_F(OwnedHandles, AFailedFreeReachesTheHookOnce) {
    {
        TFake owner(&stuck);
        owner.Reset(&a);  // the stuck handle fails, a succeeds below
        EXPECT_EQ(failures, std::vector<const void*>{&stuck});
    }
    EXPECT_EQ(freed, (std::vector<int*>{&stuck, &a}));
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(OwnedHandles, FreeFunctionsThatAnswerNothingCannotFail) {
    { Owned<int*, &FreeFakeQuietly> owner(&stuck); }
    EXPECT_EQ(freed, std::vector<int*>{&stuck});
    EXPECT_TRUE(failures.empty());
}

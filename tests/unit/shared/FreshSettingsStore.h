// A test fixture on the host's settings store: an empty fake registry and no
// message boxes at the start; no key left open and no stray handle at the end.
#pragma once

#include <gtest/gtest.h>

#include "forms/headless/Testing.h"
#include "shared/headless/TestRegistry.h"

class FreshSettingsStore : public testing::Test {
protected:
    void SetUp() override {
        registry().Reset();
        forms::testing::ClearMessageBoxes();
    }
    void TearDown() override {
        EXPECT_EQ(registry().OpenKeys(), 0u);
        EXPECT_EQ(registry().BadHandleUses(), 0u);
    }
    static FakeRegistry& registry() { return TestRegistry(); }
};

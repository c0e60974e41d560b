// Base fixture: every test starts and ends with a fresh application.
#pragma once

#include <gtest/gtest.h>

#include "forms/headless/Testing.h"

class FreshApplication : public testing::Test {
protected:
    void SetUp() override { forms::testing::ResetApplication(); }
    void TearDown() override { forms::testing::ResetApplication(); }
};

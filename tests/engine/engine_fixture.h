#pragma once

#include <gdiplus/flat_api.h>

#include <gtest/gtest.h>

// Starts the engine for each test and shuts it down after, so every test sees
// a fresh platform and no object leaks from one test into the next.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GdiplusStartupInput input{};
        input.GdiplusVersion = 1;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }

    void TearDown() override { GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

#include <gdiplus/flat_api.h>

#include <gtest/gtest.h>

namespace {

struct StartupCase {
    const char* why;
    UINT version;
    BOOL suppressBackgroundThread;
    bool withOutput;
    GpStatus expected;
};

class GdiplusStartupTable : public ::testing::TestWithParam<StartupCase> { };

TEST_P(GdiplusStartupTable, AnswersPerInput)
{
    const StartupCase& row = GetParam();
    GdiplusStartupInput input{};
    input.GdiplusVersion = row.version;
    input.SuppressBackgroundThread = row.suppressBackgroundThread;
    GdiplusStartupOutput output{};
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(&token, &input, row.withOutput ? &output : nullptr), row.expected) << row.why;
    if (row.expected == Ok) {
        EXPECT_NE(token, 0u);
        if (row.withOutput) {
            EXPECT_NE(output.NotificationHook, nullptr);
            EXPECT_NE(output.NotificationUnhook, nullptr);
        }
        GdiplusShutdown(token);
    } else {
        EXPECT_EQ(token, 0u) << "a refused start-up hands out no token";
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, GdiplusStartupTable,
    ::testing::Values(StartupCase{"version 1", 1, 0, false, Ok}, StartupCase{"version 2", 2, 0, false, Ok},
        StartupCase{"version 0 is no version", 0, 0, false, UnsupportedGdiplusVersion},
        StartupCase{"version 3 is not ours", 3, 0, false, UnsupportedGdiplusVersion},
        StartupCase{"hooks wanted but no room for them", 1, 1, false, InvalidParameter},
        StartupCase{"hooks handed out", 1, 1, true, Ok}));

TEST(GdiplusStartup, RefusesMissingTokenOrInput)
{
    GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(nullptr, &input, nullptr), InvalidParameter);
    EXPECT_EQ(GdiplusStartup(&token, nullptr, nullptr), InvalidParameter);
}

TEST(GdiplusStartup, RoutinesAnswerNotInitializedOutsideAStartUp)
{
    UINT width = 0;
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipGetImageWidth(nullptr, &width), GdiplusNotInitialized);

    GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    ULONG_PTR first = 0;
    ULONG_PTR second = 0;
    ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
    ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
    EXPECT_NE(first, second);
    EXPECT_EQ(GdipGetImageWidth(nullptr, &width), InvalidParameter);

    // Start-ups nest: the platform runs until the last one ends.
    GdiplusShutdown(first);
    EXPECT_EQ(GdipGetImageWidth(nullptr, &width), InvalidParameter);
    GdiplusShutdown(first);
    EXPECT_EQ(GdipGetImageWidth(nullptr, &width), InvalidParameter) << "a token ends only once";
    GdiplusShutdown(second);
    EXPECT_EQ(GdipGetImageWidth(nullptr, &width), GdiplusNotInitialized);
    EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 0, 0x0026200A, nullptr, &bitmap), GdiplusNotInitialized);
}

TEST(GdipAlloc, GivesWritableMemoryThatGdipFreeReleases)
{
    auto* bytes = static_cast<unsigned char*>(GdipAlloc(64));
    ASSERT_NE(bytes, nullptr);
    bytes[0] = 1;
    bytes[63] = 2;
    GdipFree(bytes);
    GdipFree(nullptr);
}

} // namespace

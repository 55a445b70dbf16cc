// Starting and stopping the platform, with the fake installed first so that
// StartImaging finds a table in place and never binds the engine.

#include "imaging_startup.h"

#include "fake_fixture.h"

#include <gmock/gmock.h>

namespace quillory::testing {
namespace {

using ::testing::ElementsAre;

class ImagingStartupTest : public FakeTest {
protected:
    ImagingStartupTest()
    {
        StartupToken = 0;
        fake.on.GdiplusStartup = [this](ULONG_PTR* token, const GdiplusStartupInput*, GdiplusStartupOutput*) {
            *token = issuedToken;
            return startupStatus;
        };
    }
    ~ImagingStartupTest() override { StartupToken = 0; }

    std::vector<std::int64_t> ShutdownTokens() const
    {
        std::vector<std::int64_t> tokens;
        for (const auto& call : fake.CallsTo("GdiplusShutdown"))
            tokens.push_back(call.arguments.at(0).integer);
        return tokens;
    }

    ULONG_PTR issuedToken = 0x5A17;
    GpStatus startupStatus = Ok;
};

TEST_F(ImagingStartupTest, StartPassesAZeroedRecordWithTheVersionAndStoresTheToken)
{
    struct Case {
        std::optional<int> version;
        UINT expected;
    };
    for (const auto& each : {Case{std::nullopt, 1}, Case{2, 2}, Case{7, 7}}) {
        SCOPED_TRACE(each.expected);
        fake.ClearCalls();
        StartupToken = 0;
        EXPECT_EQ(StartImaging(each.version), issuedToken);
        EXPECT_EQ(StartupToken, issuedToken);

        const auto call = OnlyCall("GdiplusStartup");
        ASSERT_EQ(call.arguments.size(), 3u);
        EXPECT_NE(call.arguments[0].pointer, nullptr) << "the token's address";
        const auto input = call.arguments[1].As<GdiplusStartupInput>();
        ASSERT_EQ(input.size(), 1u);
        EXPECT_EQ(input[0].GdiplusVersion, each.expected);
        EXPECT_EQ(input[0].DebugEventCallback, nullptr);
        EXPECT_EQ(input[0].SuppressBackgroundThread, 0);
        EXPECT_EQ(input[0].SuppressExternalCodecs, 0);
        EXPECT_EQ(call.arguments[2].pointer, nullptr) << "no output record";
    }
}

TEST_F(ImagingStartupTest, APlatformThatWritesNoTokenLeavesZero)
{
    fake.on.GdiplusStartup = [](ULONG_PTR*, const GdiplusStartupInput*, GdiplusStartupOutput*) {
        return GpStatus{UnsupportedGdiplusVersion};
    };
    EXPECT_EQ(StartImaging(), 0u);
    EXPECT_EQ(StartupToken, 0u);
    StopImaging();
    EXPECT_TRUE(fake.CallsTo("GdiplusShutdown").empty());
}

TEST_F(ImagingStartupTest, StoppingTwiceShutsDownOnce)
{
    StartImaging();
    StopImaging();
    EXPECT_EQ(StartupToken, 0u);
    StopImaging();
    EXPECT_THAT(ShutdownTokens(), ElementsAre(issuedToken));
    EXPECT_THAT(fake.RoutinesCalled(), ElementsAre("GdiplusStartup", "GdiplusShutdown"));
}

TEST_F(ImagingStartupTest, AnExplicitTokenIsUsedAndStartupTokenLeftAlone)
{
    StartImaging();
    StopImaging(0u);
    EXPECT_TRUE(ShutdownTokens().empty()) << "token 0 does nothing";
    EXPECT_EQ(StartupToken, issuedToken);

    StopImaging(0x1234u);
    EXPECT_THAT(ShutdownTokens(), ElementsAre(0x1234));
    EXPECT_EQ(StartupToken, issuedToken);
}

} // namespace
} // namespace quillory::testing

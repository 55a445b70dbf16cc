#include "engine_fixture.h"
#include "memory_streams.h"
#include "pixel_expectations.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using raster_test::bmpEncoder;
using raster_test::MemoryStream;
using raster_test::OwnedBitmap;
using raster_test::pixelsAre;

using Bytes = std::vector<std::uint8_t>;

std::vector<WCHAR> wide(const std::string& text)
{
    // Test paths are ASCII apart from the one case that says otherwise.
    std::vector<WCHAR> result(text.begin(), text.end());
    result.push_back(0);
    return result;
}

class CodecRoutines : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        folder_ = std::filesystem::temp_directory_path() /
            ("quillory-codec-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder_);
        EngineTest::TearDown();
    }
    std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};

TEST_F(CodecRoutines, SavesAndLoadsFiles)
{
    OwnedBitmap bitmap(2, 1);
    ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), 0, 0, 0xFF102030), Ok);
    ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), 1, 0, 0xFF405060), Ok);
    const std::string path = pathOf("picture.bmp");
    ASSERT_EQ(GdipSaveImageToFile(bitmap.get(), wide(path).data(), &bmpEncoder, nullptr), Ok);

    MemoryStream stream;
    ASSERT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &bmpEncoder, nullptr), Ok);
    std::ifstream written(path, std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(file, stream.contents()) << "the file holds what a stream gets";

    for (auto* load : {&GdipLoadImageFromFile, &GdipLoadImageFromFileICM, &GdipCreateBitmapFromFile}) {
        OwnedBitmap loaded;
        ASSERT_EQ(load(wide(path).data(), loaded.out()), Ok);
        EXPECT_TRUE(pixelsAre(loaded.get(), [](int x, int) { return x == 0 ? 0xFF102030u : 0xFF405060u; }));
    }
}

TEST_F(CodecRoutines, FileFailuresHaveTheirStatuses)
{
    OwnedBitmap bitmap(1, 1);
    GpImage* image = nullptr;
    EXPECT_EQ(GdipLoadImageFromFile(wide(pathOf("missing.bmp")).data(), &image), FileNotFound);
    EXPECT_EQ(GdipSaveImageToFile(bitmap.get(), wide(pathOf("no/such/folder.bmp")).data(), &bmpEncoder, nullptr),
        FileNotFound);
    EXPECT_EQ(GdipLoadImageFromFile(nullptr, &image), InvalidParameter);
    const WCHAR loneSurrogate[] = {'a', 0xD800, 0};
    EXPECT_EQ(GdipLoadImageFromFile(loneSurrogate, &image), InvalidParameter) << "no path can be that name";
    std::ofstream(pathOf("text.bmp")) << "not a picture";
    EXPECT_EQ(GdipLoadImageFromFile(wide(pathOf("text.bmp")).data(), &image), OutOfMemory);
    EXPECT_EQ(image, nullptr);
}

TEST_F(CodecRoutines, SavingChecksItsArguments)
{
    OwnedBitmap bitmap(1, 1);
    MemoryStream stream;
    const CLSID unknown{};
    EXPECT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &unknown, nullptr), InvalidParameter);
    EXPECT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(GdipSaveImageToStream(bitmap.get(), nullptr, &bmpEncoder, nullptr), InvalidParameter);
    EXPECT_EQ(GdipSaveImageToStream(nullptr, stream.get(), &bmpEncoder, nullptr), InvalidParameter);
    EXPECT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &raster_test::jpegEncoder, nullptr), NotImplemented)
        << "listed, but not written yet";
    const GUID memoryBmp{0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    EXPECT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &memoryBmp, nullptr), InvalidParameter)
        << "a format identifier is no encoder";
    EXPECT_TRUE(stream.contents().empty()) << "no refused save wrote anything";
}

TEST_F(CodecRoutines, LoadingChecksItsInput)
{
    const struct {
        const char* why;
        Bytes file;
        GpStatus expected;
    } cases[] = {
        {"an empty stream", {}, OutOfMemory},
        {"bytes no decoder knows", {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, OutOfMemory},
        {"a recognised format whose decoder is not written", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B},
            NotImplemented},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.why);
        for (auto* load : {&GdipLoadImageFromStream, &GdipLoadImageFromStreamICM, &GdipCreateBitmapFromStream}) {
            MemoryStream stream(row.file);
            GpImage* image = nullptr;
            EXPECT_EQ(load(stream.get(), &image), row.expected);
            EXPECT_EQ(image, nullptr);
        }
    }
    MemoryStream stream;
    GpImage* image = nullptr;
    EXPECT_EQ(GdipLoadImageFromStream(nullptr, &image), InvalidParameter);
    EXPECT_EQ(GdipLoadImageFromStream(stream.get(), nullptr), InvalidParameter);
}

TEST_F(CodecRoutines, LoadingReadsFromTheCurrentPositionAndOutlivesTheStream)
{
    OwnedBitmap bitmap(1, 1);
    ASSERT_EQ(GdipBitmapSetPixel(bitmap.get(), 0, 0, 0xFFCAFE00), Ok);
    Bytes file;
    {
        MemoryStream stream;
        ASSERT_EQ(GdipSaveImageToStream(bitmap.get(), stream.get(), &bmpEncoder, nullptr), Ok);
        file = stream.contents();
    }
    Bytes prefixed = {'x', 'y', 'z'};
    prefixed.insert(prefixed.end(), file.begin(), file.end());
    OwnedBitmap loaded;
    {
        MemoryStream stream(prefixed);
        stream.seek(3);
        ASSERT_EQ(GdipLoadImageFromStream(stream.get(), loaded.out()), Ok);
    }
    EXPECT_TRUE(pixelsAre(loaded.get(), [](int, int) { return 0xFFCAFE00u; })) << "after the stream is gone";
}

} // namespace

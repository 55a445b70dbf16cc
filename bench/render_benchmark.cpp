// The renderer's road, timed in one process as the live preview uses it, and
// beside it the floor: what filling a picture's pixels and writing its BMP
// bytes costs on this machine when memory is reused, i.e. memory bandwidth.

#include "imaging_startup.h"
#include "renderer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void RenderBackgroundAt(benchmark::State& state, int width, int height)
{
    quillory::StartImaging();
    const std::string leftFont = "Noto Sans CJK SC";
    const std::string rightFont = "DejaVu Sans";
    const std::string leftText = "你好，世界 Hello";
    const std::string rightText = "Good morning, world";
    std::size_t bytes = 0;
    for (auto _ : state) {
        quillory::Bytes picture = quillory::RenderBackground(
            width, height, leftFont, rightFont, leftText, rightText, 0x000000, 0x000000, 0x7D7DFF, 0x9BFFB7);
        bytes = picture.size();
        benchmark::DoNotOptimize(picture.data());
    }
    quillory::StopImaging();
    if (bytes == 0)
        state.SkipWithError("RenderBackground gave no picture");
    state.counters["bytes"] = static_cast<double>(bytes);
}

void Floor(benchmark::State& state, int width, int height)
{
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    std::vector<std::uint32_t> pixels(pixelBytes / 4);
    std::vector<std::uint8_t> file(54 + pixelBytes);
    std::uint32_t color = 0xFFFF7D7D;
    for (auto _ : state) {
        std::fill(pixels.begin(), pixels.end(), color++);
        std::memset(file.data(), 0, 54);
        file[0] = 'B';
        file[1] = 'M';
        std::uint8_t* out = file.data() + 54;
        for (int row = height - 1; row >= 0; --row) {
            std::memcpy(out, pixels.data() + static_cast<std::size_t>(row) * width, stride);
            out += stride;
        }
        benchmark::DoNotOptimize(file.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(RenderBackgroundAt, 230x320, 230, 320)
    ->Name("BM_RenderBackground/230x320")
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderBackgroundAt, 1440x2560, 1440, 2560)
    ->Name("BM_RenderBackground/1440x2560")
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor, 1440x2560, 1440, 2560)
    ->Name("BM_Floor/1440x2560")
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

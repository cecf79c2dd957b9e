// PCB exposure on a generated 4000 x 4000 board (random tracks, pads, vias and
// copper pours) at 508 DPI: the raster and the outline for beams of 0,2 and
// 0,5 mm, and, on the same bitmap in the same run, potrace tracing it (as a
// PBM file, timed as a whole process) for comparison with the outline.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbOutline.h"
#include "pcb/PcbRaster.h"

namespace {

constexpr int kSize = 4000;

class Board {
public:
    Board() : copper_(static_cast<std::size_t>(kSize) * kSize, 0) {
        std::mt19937 random(20261206);
        auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        for (int i = 0; i < 60; ++i) {  // copper pours
            int x = uniform(0, kSize - 400), y = uniform(0, kSize - 400);
            rect(x, y, x + uniform(100, 400), y + uniform(100, 400), 1);
        }
        for (int i = 0; i < 500; ++i) {  // tracks of 0,25..0,8 mm with 45-degree bends
            int x = uniform(100, kSize - 100), y = uniform(100, kSize - 100);
            int width = uniform(5, 16);
            for (int leg = 0; leg < 3; ++leg) {
                static constexpr int kDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
                static constexpr int kDy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
                int d = uniform(0, 7), length = uniform(40, 500);
                int nx = std::clamp(x + kDx[d] * length, 20, kSize - 20);
                int ny = std::clamp(y + kDy[d] * length, 20, kSize - 20);
                track(x, y, nx, ny, width);
                x = nx;
                y = ny;
            }
            disc(x, y, width + uniform(4, 12), 1);
        }
        for (int i = 0; i < 800; ++i) {  // pads and vias with their holes
            int x = uniform(40, kSize - 40), y = uniform(40, kSize - 40);
            int outer = uniform(10, 30);
            disc(x, y, outer, 1);
            disc(x, y, outer / 2 - 2, 0);
        }
    }

    bool dark(int x, int y) const { return copper_[static_cast<std::size_t>(y) * kSize + x] != 0; }

    bw::PixelBuffer picture() const {
        bw::PixelBuffer buffer(kSize, kSize);
        for (std::size_t i = 0; i < copper_.size(); ++i) {
            buffer.pixels[i] = copper_[i] ? 0xFF000000u : 0xFFFFFFFFu;
        }
        return buffer;
    }

    // A P4 bitmap: 1 = black = copper, which potrace traces.
    void writePbm(const std::filesystem::path& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P4\n" << kSize << ' ' << kSize << '\n';
        std::vector<char> row((kSize + 7) / 8);
        for (int y = 0; y < kSize; ++y) {
            std::fill(row.begin(), row.end(), 0);
            for (int x = 0; x < kSize; ++x) {
                if (dark(x, y)) {
                    row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
                }
            }
            out.write(row.data(), static_cast<std::streamsize>(row.size()));
        }
    }

private:
    void set(int x, int y, std::uint8_t value) {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) {
            copper_[static_cast<std::size_t>(y) * kSize + x] = value;
        }
    }
    void rect(int x0, int y0, int x1, int y1, std::uint8_t value) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                set(x, y, value);
            }
        }
    }
    void disc(int cx, int cy, int r, std::uint8_t value) {
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) {
                    set(x, y, value);
                }
            }
        }
    }
    void track(int ax, int ay, int bx, int by, int width) {
        // A disc stamped along the segment, one pixel at a time.
        int steps = std::max(std::abs(bx - ax), std::abs(by - ay));
        for (int i = 0; i <= steps; i += 2) {
            int x = ax + (steps == 0 ? 0 : (bx - ax) * i / steps);
            int y = ay + (steps == 0 ? 0 : (by - ay) * i / steps);
            disc(x, y, width / 2, 1);
        }
    }

    std::vector<std::uint8_t> copper_;
};

const Board& board() {
    static const Board instance;
    return instance;
}

bw::JobContext& loadedContext() {
    static bw::JobContext ctx = [] {
        bw::JobContext c;
        (void)bw::BuildMaskPreview(c, bw::MaskPreviewFields{}, ',');
        (void)bw::LoadPcbBitmap(c.pcb, board().picture());
        c.params.pcbDpi = 508;
        c.params.materialThickness = bw::Fixed4::fromRaw(15000);
        c.params.workFeedText = "1500";
        c.params.rapidFeedText = "5000";
        return c;
    }();
    return ctx;
}

void BM_PcbRaster(benchmark::State& state) {
    bw::JobContext& ctx = loadedContext();
    ctx.params.beamDiameter = bw::Fixed4::fromRaw(state.range(0));
    std::size_t lines = 0;
    for (auto _ : state) {
        auto result = bw::GeneratePcbRaster(ctx);
        if (!result) {
            state.SkipWithError(result.error().c_str());
        }
        lines = ctx.programLines.size();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_PcbRaster)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PcbOutline(benchmark::State& state) {
    bw::JobContext& ctx = loadedContext();
    ctx.params.beamDiameter = bw::Fixed4::fromRaw(state.range(0));
    std::size_t contours = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        auto result = bw::GeneratePcbOutline(ctx, ',');
        if (!result) {
            state.SkipWithError(result.error().c_str());
        }
        contours = result->traced.size();
        lines = ctx.programLines.size();
    }
    state.counters["contours"] = static_cast<double>(contours);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_PcbOutline)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PotraceTrace(benchmark::State& state) {
    auto folder = std::filesystem::temp_directory_path();
    auto pbm = folder / "beamwright-pcb-bench.pbm";
    auto svg = folder / "beamwright-pcb-bench.svg";
    board().writePbm(pbm);
    std::string command = "potrace --svg -o '" + svg.string() + "' '" + pbm.string() + "'";
    // The child's processor time, comparable with the CPU column of the other
    // benchmarks when the machine is busy.
    auto childSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    double before = childSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("potrace failed (is the potrace package installed?)");
        }
    }
    state.counters["child_cpu_ms"] = (childSeconds() - before) * 1000.0 / static_cast<double>(state.iterations());
    std::filesystem::remove(pbm);
    std::filesystem::remove(svg);
}
BENCHMARK(BM_PotraceTrace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

// The DXF engine on a generated drawing of 200 000 entities (about 40 MB, written
// the way a CAD program writes an R2000 file): reading (line scanner and full
// reading), the box, a 4-pass program, and, for comparison, dxflib parsing the
// same file.

#include <benchmark/benchmark.h>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchInputs.h"
#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfFullReader.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfSkippedKinds.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"

namespace {

constexpr int kEntities = 200000;

const std::string& drawingText() {
    static const std::string text = bench::makeDrawing(kEntities);
    return text;
}

const std::filesystem::path& drawingFile() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "beamwright-bench-200k.dxf";
        std::ofstream(p, std::ios::binary) << drawingText();
        return p;
    }();
    return path;
}

void prepare(bw::JobContext& ctx) {
    // The start-up mask preview: default mask and power range 0..255 (form defaults use a comma).
    if (!bw::BuildMaskPreview(ctx.writer(), bw::MaskPreviewFields{}, ',').ok()) { std::abort(); }
    ctx.params.segmentLength = bw::Fixed4::fromRaw(5000);
    ctx.params.dirAxisStep = bw::Fixed4::fromRaw(500);
    ctx.params.materialThickness = bw::Fixed4::fromRaw(15000);
    ctx.params.layerDepth = bw::Fixed4::fromRaw(5000);  // 4 passes
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    ctx.params.pwmMax = bw::Fixed4::fromInt(255);
    ctx.params.headerText = std::string(bw::kDefaultHeaderText);
    ctx.params.footerText = std::string(bw::kDefaultFooterText);
    ctx.params.sourceWidthPx = 653;
    ctx.params.sourceHeightPx = 645;
}

void BM_ReadEntitiesFromMemory(benchmark::State& state) {
    const std::string& text = drawingText();
    std::vector<bw::TItem> items;
    for (auto _ : state) {
        auto result = bw::ReadDxfEntities(text, items);
        benchmark::DoNotOptimize(result);
    }
    state.counters["entities"] = static_cast<double>(items.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The full reading (group pairs, sections, blocks, units) of the same drawing:
// it must be at least as fast as the line scanner above.
void BM_ReadDrawingFullFromMemory(benchmark::State& state) {
    const std::string& text = drawingText();
    std::vector<bw::TItem> items;
    for (auto _ : state) {
        auto result = bw::ReadDxfDrawing(text, bw::kDxfChordError, items);
        benchmark::DoNotOptimize(result);
    }
    state.counters["entities"] = static_cast<double>(items.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// What a default load costs now: the line scanner and the count of the entity
// kinds it skipped, for the status bar's warning.
void BM_ReadEntitiesAndCountSkipped(benchmark::State& state) {
    const std::string& text = drawingText();
    std::vector<bw::TItem> items;
    for (auto _ : state) {
        auto result = bw::ReadDxfEntities(text, items);
        auto skipped = bw::CountScannerSkippedKinds(text);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(skipped);
    }
    state.counters["entities"] = static_cast<double>(items.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// File to entities: the fair comparison with dxflib, which reads the file itself.
void BM_ReadEntitiesFromFile(benchmark::State& state) {
    const auto& path = drawingFile();
    std::vector<bw::TItem> items;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string text(static_cast<std::size_t>(std::filesystem::file_size(path)), '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        auto result = bw::ReadDxfEntities(text, items);
        benchmark::DoNotOptimize(result);
    }
    state.counters["entities"] = static_cast<double>(items.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawingText().size()));
}

// Collects what our reader keeps, so both sides build comparable entity lists.
class Collector : public DL_CreationAdapter {
public:
    std::size_t lines = 0, arcs = 0, circles = 0, splines = 0;
    std::vector<double> numbers;
    void addLine(const DL_LineData& d) override { ++lines, numbers.insert(numbers.end(), {d.x1, d.y1, d.x2, d.y2}); }
    void addArc(const DL_ArcData& d) override {
        ++arcs, numbers.insert(numbers.end(), {d.cx, d.cy, d.radius, d.angle1, d.angle2});
    }
    void addCircle(const DL_CircleData& d) override {
        ++circles, numbers.insert(numbers.end(), {d.cx, d.cy, d.radius});
    }
    void addSpline(const DL_SplineData&) override { ++splines; }
    void addControlPoint(const DL_ControlPointData& d) override { numbers.insert(numbers.end(), {d.x, d.y}); }
    void addKnot(const DL_KnotData& d) override { numbers.push_back(d.k); }
};

void BM_DxflibParseFromFile(benchmark::State& state) {
    const auto& path = drawingFile();
    std::size_t entities = 0;
    for (auto _ : state) {
        Collector collector;
        DL_Dxf dxf;
        bool ok = dxf.in(path.string(), &collector);
        benchmark::DoNotOptimize(ok);
        entities = collector.lines + collector.arcs + collector.circles + collector.splines;
    }
    state.counters["entities"] = static_cast<double>(entities);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * drawingText().size()));
}

void BM_DrawingBox(benchmark::State& state) {
    bw::JobContext ctx;
    prepare(ctx);
    (void)bw::ReadDxfEntities(drawingText(), ctx.dxf.dxfItems);
    for (auto _ : state) {
        auto status = bw::ComputeDrawingBox(ctx, {});
        benchmark::DoNotOptimize(status);
    }
}

void BM_Generate4Passes(benchmark::State& state) {
    bw::JobContext ctx;
    prepare(ctx);
    (void)bw::ReadDxfEntities(drawingText(), ctx.dxf.dxfItems);
    (void)bw::ComputeDrawingBox(ctx, {});
    bw::ApplyDxfStartPoint(ctx);
    for (auto _ : state) {
        auto status = bw::GenerateDxfProgram(ctx, {});
        benchmark::DoNotOptimize(status);
    }
    state.counters["program_lines"] = static_cast<double>(ctx.programLines.size());
    state.counters["program_bytes"] = static_cast<double>(ctx.programLines.textSize());
}

}  // namespace

BENCHMARK(BM_ReadEntitiesFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDrawingFullFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEntitiesAndCountSkipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEntitiesFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxflibParseFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawingBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate4Passes)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();

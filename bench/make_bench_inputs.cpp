// Writes the inputs of bench/side-by-side into a folder: the photo as a 24-bit
// BMP, the board as a 1-bit BMP (for beamwright-cli) and a PBM (for potrace),
// and the 200 000-entity drawing.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BenchInputs.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bench_inputs FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bench::writeBmp24(folder / "photo.bmp", bench::makePhoto(2000));
    const bench::Board board;
    board.writeBmp(folder / "board.bmp");
    board.writePbm(folder / "board.pbm");
    std::ofstream(folder / "drawing.dxf", std::ios::binary) << bench::makeDrawing(200000);
    return 0;
}

#pragma once
// The generated inputs every benchmark works on: a photo-like picture, a PCB
// board of tracks, pads and copper pours, and a 200 000-entity drawing, plus
// the file writers that hand them to beamwright-cli and to the programs it is
// compared with. Everything is seeded, so every run sees the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "raster/PixelBuffer.h"

namespace bench {

// Smooth gradients plus noise, in colour.
inline bw::PixelBuffer makePhoto(int side) {
    bw::PixelBuffer p(side, side);
    std::mt19937 random(20261206);
    std::normal_distribution<double> noise(0.0, 12.0);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double u = x / double(side), v = y / double(side);
            double base = 128 + 90 * std::sin(6.0 * u + 2.0 * v) * std::cos(4.0 * v - u);
            auto channel = [&](double shift) {
                return std::clamp(static_cast<int>(base + shift + noise(random)), 0, 255);
            };
            p.row(y)[x] = 0xFF000000u | std::uint32_t(channel(20)) << 16 | std::uint32_t(channel(0)) << 8 |
                          std::uint32_t(channel(-20));
        }
    }
    return p;
}

// One copper layer at 508 DPI: pours, tracks of 0,25..0,8 mm with 45-degree
// bends ending on a pad, and pads and vias with their holes.
class Board {
public:
    static constexpr int kSize = 4000;

    Board() : copper_(static_cast<std::size_t>(kSize) * kSize, 0) {
        std::mt19937 random(20261206);
        auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        for (int i = 0; i < 60; ++i) {
            int x = uniform(0, kSize - 400), y = uniform(0, kSize - 400);
            rect(x, y, x + uniform(100, 400), y + uniform(100, 400), 1);
        }
        for (int i = 0; i < 500; ++i) {
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
        for (int i = 0; i < 800; ++i) {
            int x = uniform(40, kSize - 40), y = uniform(40, kSize - 40);
            int outer = uniform(10, 30);
            disc(x, y, outer, 1);
            disc(x, y, outer / 2 - 2, 0);
        }
    }

    bool dark(int x, int y) const { return copper_[static_cast<std::size_t>(y) * kSize + x] != 0; }

    bw::PixelBuffer picture() const {
        bw::PixelBuffer buffer(kSize, kSize);
        for (std::size_t i = 0; i < copper_.size(); ++i) { buffer.pixels[i] = copper_[i] ? 0xFF000000u : 0xFFFFFFFFu; }
        return buffer;
    }

    // Rows of packed bits, first pixel in the highest bit; `copperBit` is the bit of a copper pixel.
    std::vector<char> packedRow(int y, bool copperBit) const {
        std::vector<char> row((kSize + 7) / 8, copperBit ? 0 : static_cast<char>(0xFF));
        for (int x = 0; x < kSize; ++x) {
            if (dark(x, y)) { row[x / 8] = static_cast<char>(row[x / 8] ^ (0x80 >> (x % 8))); }
        }
        return row;
    }

    // A P4 bitmap: 1 = black = copper, which potrace traces.
    void writePbm(const std::filesystem::path& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P4\n" << kSize << ' ' << kSize << '\n';
        for (int y = 0; y < kSize; ++y) {
            std::vector<char> row = packedRow(y, true);
            out.write(row.data(), static_cast<std::streamsize>(row.size()));
        }
    }

    // A 1-bit BMP with a black and a white palette entry, as a CAM program exports a layer.
    void writeBmp(const std::filesystem::path& path) const {
        const std::uint32_t rowBytes = (kSize + 31) / 32 * 4;
        std::ofstream out(path, std::ios::binary);
        writeBmpHeader(out, kSize, kSize, 1, rowBytes, 2);
        const char palette[8] = {0, 0, 0, 0, char(0xFF), char(0xFF), char(0xFF), 0};  // 0 black, 1 white
        out.write(palette, sizeof palette);
        for (int y = kSize - 1; y >= 0; --y) {
            std::vector<char> row = packedRow(y, false);
            row.resize(rowBytes, 0);
            out.write(row.data(), static_cast<std::streamsize>(row.size()));
        }
    }

    static void writeBmpHeader(std::ofstream& out, int width, int height, int bits, std::uint32_t rowBytes,
                               std::uint32_t colours) {
        auto u16 = [&](std::uint32_t v) { out.put(char(v & 0xFF)).put(char(v >> 8 & 0xFF)); };
        auto u32 = [&](std::uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        const std::uint32_t offset = 54 + 4 * colours;
        const std::uint32_t image = rowBytes * std::uint32_t(height);
        out.write("BM", 2);
        u32(offset + image), u32(0), u32(offset);
        u32(40), u32(std::uint32_t(width)), u32(std::uint32_t(height)), u16(1), u16(std::uint32_t(bits));
        u32(0), u32(image), u32(20000), u32(20000), u32(colours), u32(0);
    }

private:
    void set(int x, int y, std::uint8_t value) {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) { copper_[static_cast<std::size_t>(y) * kSize + x] = value; }
    }
    void rect(int x0, int y0, int x1, int y1, std::uint8_t value) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) { set(x, y, value); }
        }
    }
    void disc(int cx, int cy, int r, std::uint8_t value) {
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) { set(x, y, value); }
            }
        }
    }
    void track(int ax, int ay, int bx, int by, int width) {
        // A disc stamped along the segment every other pixel.
        int steps = std::max(std::abs(bx - ax), std::abs(by - ay));
        for (int i = 0; i <= steps; i += 2) {
            int x = ax + (steps == 0 ? 0 : (bx - ax) * i / steps);
            int y = ay + (steps == 0 ? 0 : (by - ay) * i / steps);
            disc(x, y, width / 2, 1);
        }
    }

    std::vector<std::uint8_t> copper_;
};

// A 24-bit BMP of a picture.
inline void writeBmp24(const std::filesystem::path& path, const bw::PixelBuffer& picture) {
    const std::uint32_t rowBytes = (std::uint32_t(picture.width) * 3 + 3) / 4 * 4;
    std::ofstream out(path, std::ios::binary);
    Board::writeBmpHeader(out, picture.width, picture.height, 24, rowBytes, 0);
    std::vector<char> row(rowBytes, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint32_t* pixels = picture.row(y);
        for (int x = 0; x < picture.width; ++x) {
            row[3 * x] = char(pixels[x] & 0xFF);
            row[3 * x + 1] = char(pixels[x] >> 8 & 0xFF);
            row[3 * x + 2] = char(pixels[x] >> 16 & 0xFF);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
}

// A drawing written the way a CAD program writes an R2000 file.
class DrawingWriter {
public:
    std::string text;

    void group(int code, const std::string& value) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%3d", code);
        text += buffer;
        text += "\r\n";
        text += value;
        text += "\r\n";
    }
    static std::string number(double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6f", v);
        return buffer;
    }
    void entity(const char* name, const char* subclass) {
        char handle[16];
        std::snprintf(handle, sizeof handle, "%X", ++handle_);
        group(0, name);
        group(5, handle);
        group(330, "1F");
        group(100, "AcDbEntity");
        group(8, "CUT");
        group(6, "ByLayer");
        group(62, "256");
        group(370, "-1");
        group(100, subclass);
    }
    void line(double x1, double y1, double x2, double y2) {
        entity("LINE", "AcDbLine");
        group(10, number(x1));
        group(20, number(y1));
        group(30, number(0));
        group(11, number(x2));
        group(21, number(y2));
        group(31, number(0));
        group(210, number(0));
        group(220, number(0));
        group(230, number(1));
    }
    void circle(double x, double y, double r) {
        entity("CIRCLE", "AcDbCircle");
        group(10, number(x));
        group(20, number(y));
        group(30, number(0));
        group(40, number(r));
        group(210, number(0));
        group(220, number(0));
        group(230, number(1));
    }
    void arc(double x, double y, double r, double a1, double a2) {
        entity("ARC", "AcDbCircle");
        group(10, number(x));
        group(20, number(y));
        group(30, number(0));
        group(40, number(r));
        group(100, "AcDbArc");
        group(50, number(a1));
        group(51, number(a2));
    }
    void spline(double x, double y) {
        entity("SPLINE", "AcDbSpline");
        group(70, "8");
        group(71, "3");
        group(72, "8");
        group(73, "4");
        group(74, "0");
        for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0}) { group(40, number(k)); }
        double points[4][2] = {{0, 0}, {1, 1.5}, {2, -1.5}, {3, 0}};
        for (auto& p : points) {
            group(10, number(x + p[0]));
            group(20, number(y + p[1]));
            group(30, number(0));
        }
    }

private:
    int handle_ = 0x100;
};

// Cells of 12 x 12 mm, each holding a closed contour of lines and arcs (a
// rounded square, its pieces in shuffled order and direction), a circle and a
// spline: 10 entities per cell, most of them touching.
inline std::string makeDrawing(int entities) {
    DrawingWriter w;
    w.text.reserve(std::size_t(48) << 20);
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    int cells = entities / 10;
    int columns = static_cast<int>(std::sqrt(cells));
    for (int c = 0; c < cells; ++c) {
        double x = (c % columns) * 12.0;
        double y = (c / columns) * 12.0;
        w.line(x + 2, y + 1, x + 8, y + 1);
        w.arc(x + 8, y + 8, 1, 0, 90);
        w.line(x + 9, y + 2, x + 9, y + 8);
        w.arc(x + 2, y + 2, 1, 180, 270);
        w.line(x + 2, y + 9, x + 8, y + 9);
        w.arc(x + 8, y + 2, 1, 270, 360);
        w.line(x + 1, y + 8, x + 1, y + 2);
        w.arc(x + 2, y + 8, 1, 90, 180);
        w.circle(x + 5, y + 5, 1.5);
        w.spline(x + 3.5, y + 10.5);
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    return w.text;
}

}  // namespace bench

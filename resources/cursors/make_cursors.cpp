// Draws Ravo's four pointer files as Windows cursor files: the scissors of the cutting tool
// and the three square erasers. Run at build time as `make_cursors OUTDIR`.
//
// Every file holds one 32x32 image: a BITMAPINFOHEADER DIB of 32 bits per pixel (BGRA,
// straight alpha) followed by the AND mask, so that both alpha-aware and mask-only readers
// show the same shape.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Picture {
    std::array<Rgba, kSize * kSize> px{};
    Rgba& at(int x, int y) { return px[static_cast<std::size_t>(y * kSize + x)]; }
    const Rgba& at(int x, int y) const { return px[static_cast<std::size_t>(y * kSize + x)]; }
};

struct Cursor {
    Picture picture;
    int hotX = 0;
    int hotY = 0;
};

// --- the eraser squares ------------------------------------------------------------------

// A white square with a black outline on exactly the pixels first..last (both inclusive) in
// x and y: the pixels the eraser wipes relative to the hot spot (0, 0).
Cursor eraserSquare(int first, int last) {
    Cursor c;
    for (int y = first; y <= last; ++y)
        for (int x = first; x <= last; ++x) {
            const bool edge = x == first || x == last || y == first || y == last;
            const std::uint8_t v = edge ? 0 : 255;
            c.picture.at(x, y) = {v, v, v, 255};
        }
    return c;
}

// --- the scissors ----------------------------------------------------------------------

struct Vec {
    double x, y;
};
constexpr Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
constexpr Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
constexpr Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double length(Vec a) {
    return std::sqrt(dot(a, a));
}

// Distance from p to the segment a-b.
double segmentDistance(Vec p, Vec a, Vec b) {
    const Vec ab = b - a;
    const double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
    return length(p - (a + ab * t));
}

// A blade: a tapered stroke from the pivot side (half width w0 at a) to a point (w1 at b).
// Negative inside, so that the outline is where the value lies between 0 and the pen width.
double bladeDistance(Vec p, Vec a, Vec b, double w0, double w1) {
    const Vec ab = b - a;
    const double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
    return length(p - (a + ab * t)) - (w0 + (w1 - w0) * t);
}

double ringDistance(Vec p, Vec centre, double radius, double halfWidth) {
    return std::abs(length(p - centre) - radius) - halfWidth;
}

// The scissors as layers, bottom first; each part gets its own black outline so that the
// two blades read as two even where they overlap.
struct Layer {
    double (*distance)(Vec p); // negative inside
    Rgba fill;
};

// Tips at the top left, finger rings at the bottom right. The closed blades meet at the
// hot spot like a pointer's arrow point; each continues through the pivot to the ring on
// the other side.
constexpr Vec kTip{2.0, 2.0};
constexpr Vec kPivot{13.5, 13.5};
constexpr Vec kRingA{25.2, 17.0};
constexpr Vec kRingB{17.0, 25.2};
constexpr double kRingRadius = 4.2;
constexpr Vec kSide{0.7071, -0.7071}; // across the blades

double bladeA(Vec p) {
    return bladeDistance(p, kPivot + kSide * 2.2, kTip, 2.1, 0.3);
}
double bladeB(Vec p) {
    return bladeDistance(p, kPivot - kSide * 2.2, kTip, 2.1, 0.3);
}
double handle(Vec p, Vec ring) {
    const Vec dir = ring - kPivot;
    const Vec end = kPivot + dir * ((length(dir) - kRingRadius) / length(dir));
    return std::min(segmentDistance(p, kPivot, end) - 1.4, ringDistance(p, ring, kRingRadius, 1.4));
}
// Blade A lies on the upper right, so its handle is the lower ring, and the other way round.
double handleA(Vec p) {
    return handle(p, kRingB);
}
double handleB(Vec p) {
    return handle(p, kRingA);
}
double screw(Vec p) {
    return length(p - kPivot) - 1.0;
}

Cursor scissors() {
    constexpr Rgba kSteel{225, 230, 238, 255}, kSteelDark{170, 180, 195, 255};
    constexpr Rgba kRed{205, 30, 35, 255}, kBlack{0, 0, 0, 255};
    const std::array<Layer, 5> layers{{{handleB, kRed},
                                       {bladeB, kSteelDark},
                                       {handleA, kRed},
                                       {bladeA, kSteel},
                                       {screw, kSteelDark}}};
    constexpr int kSamples = 4; // 4x4 samples per pixel for smooth edges
    constexpr double kOutline = 1.0;
    Cursor c;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double cover = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Vec p{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples};
                    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
                        const double d = layer->distance(p);
                        if (d > kOutline) continue;
                        const Rgba& colour = d <= 0 ? layer->fill : kBlack;
                        cover += 1, r += colour.r, g += colour.g, b += colour.b;
                        break;
                    }
                }
            if (cover == 0) continue;
            c.picture.at(x, y) = {
                static_cast<std::uint8_t>(std::lround(r / cover)),
                static_cast<std::uint8_t>(std::lround(g / cover)),
                static_cast<std::uint8_t>(std::lround(b / cover)),
                static_cast<std::uint8_t>(std::lround(255.0 * cover / (kSamples * kSamples)))};
        }
    c.hotX = 1;
    c.hotY = 1;
    return c;
}

// --- the file -------------------------------------------------------------------------

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<std::uint8_t> cursorFile(const Cursor& c) {
    constexpr std::uint32_t kHeaderSize = 40;
    constexpr std::uint32_t kXorSize = kSize * kSize * 4;
    constexpr std::uint32_t kAndStride = ((kSize + 31) / 32) * 4;
    constexpr std::uint32_t kAndSize = kAndStride * kSize;
    constexpr std::uint32_t kImageSize = kHeaderSize + kXorSize + kAndSize;
    constexpr std::uint32_t kImageOffset = 6 + 16;

    std::vector<std::uint8_t> out;
    // ICONDIR: reserved, type 2 (cursor), one entry.
    put16(out, 0);
    put16(out, 2);
    put16(out, 1);
    // ICONDIRENTRY: size, no palette, hot spot, the image's size and place.
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(0);
    out.push_back(0);
    put16(out, static_cast<unsigned>(c.hotX));
    put16(out, static_cast<unsigned>(c.hotY));
    put32(out, kImageSize);
    put32(out, kImageOffset);
    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    put32(out, kHeaderSize);
    put32(out, kSize);
    put32(out, kSize * 2);
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // BI_RGB
    put32(out, kXorSize + kAndSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    // Rows run bottom-up.
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x) {
            const Rgba& p = c.picture.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    // AND mask: 1 keeps the screen (transparent), 0 shows the pixel.
    for (int y = kSize - 1; y >= 0; --y) {
        std::array<std::uint8_t, kAndStride> row{};
        for (int x = 0; x < kSize; ++x)
            if (c.picture.at(x, y).a == 0) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// Writes beside the target and renames, so that a failed run leaves no half-written file.
bool writeFile(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path temp = target;
    temp += ".tmp";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Käyttö: make_cursors KANSIO\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::cerr << "Kansiota ei löydy: " << folder.string() << "\n";
        return 1;
    }
    const std::array<std::pair<const char*, Cursor>, 4> cursors{{
        {"Scissors.Cur", scissors()},
        {"PyyhinNelio1.Cur", eraserSquare(4, 27)},
        {"PyyhinNelio2.Cur", eraserSquare(9, 20)},
        {"PyyhinNelio3.Cur", eraserSquare(15, 18)},
    }};
    for (const auto& [name, cursor] : cursors) {
        const std::filesystem::path target = folder / name;
        if (!writeFile(target, cursorFile(cursor))) {
            std::cerr << "Osoitintiedoston kirjoitus epäonnistui: " << target.string() << "\n";
            return 1;
        }
    }
    return 0;
}

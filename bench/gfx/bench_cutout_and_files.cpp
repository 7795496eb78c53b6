// Masking a cut-out over a whole screen, and the picture files of the palette: a
// full-screen JPEG read from disk onto a surface, the screen written as GIF and JPEG.
// Each is read beside BM_FullScreenMemcpy.
#include "Screens.h"

#include "gfx/Canvas.h"
#include "gfx/Mask.h"
#include "gfx/Picture.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace gfx;

namespace {

// A screen with smooth colours and hard edges, as a drawing over a desktop looks.
QImage desktopLike(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb(255 * x / w, 255 * y / h, (x / 3 + y / 5) % 256);
    }
    QPainter p(&img);
    p.fillRect(w / 4, h / 4, w / 3, h / 3, Qt::white);
    p.fillRect(w / 2, h / 2, w / 5, h / 6, Qt::black);
    return img;
}

// The mask of an outline as large as the screen: white inside an ellipse, black around.
Canvas ellipseMask(int w, int h) {
    Canvas m(w, h, Black);
    m.pen.color = White;
    m.brush = Brush{BrushStyle::Solid, White};
    m.ellipse(0, 0, w, h);
    return m;
}

void maskFullScreen(benchmark::State& state, BoundsMode mode) {
    const int w = int(state.range(0)), h = int(state.range(1));
    const Canvas mask = ellipseMask(w, h);
    Canvas copy;
    copy.setImage(desktopLike(w, h));
    Canvas surface;
    surface.setImage(desktopLike(w, h));
    for (auto _ : state) {
        ApplyBoundsMask(mode, mask, 0, 0, w, h, copy, surface);
        benchmark::ClobberMemory();
    }
}

} // namespace

// The masking of DrawBounds over a frame as large as the screen, without its captures.
static void BM_CutOutMaskOutside(benchmark::State& state) {
    maskFullScreen(state, BoundsMode::Outside);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CutOutMaskOutside))->Unit(benchmark::kMillisecond);
static void BM_CutOutMaskInside(benchmark::State& state) {
    maskFullScreen(state, BoundsMode::Inside);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CutOutMaskInside))->Unit(benchmark::kMillisecond);
static void BM_CutOutMaskBoth(benchmark::State& state) {
    maskFullScreen(state, BoundsMode::Both);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CutOutMaskBoth))->Unit(benchmark::kMillisecond);

// Opening: the file read and decoded, then copied onto the surface's picture.
static void BM_OpenFullScreenJpegFile(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    QTemporaryDir dir;
    const QString file = dir.filePath("kuva.jpeg");
    savePicture(desktopLike(w, h), file, PictureFormat::Jpeg);
    Canvas surface(w, h);
    for (auto _ : state) {
        const QImage picture = loadPicture(file, PictureFormat::Jpeg);
        QPainter p(&surface.image());
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_OpenFullScreenJpegFile))->Unit(benchmark::kMillisecond);

// Saving: encoded and written to a temporary file that replaces the target.
void saveScreen(benchmark::State& state, PictureFormat format, const char* name) {
    const QImage screen = desktopLike(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state)
        savePicture(screen, file, format);
}
static void BM_SaveScreenAsGif(benchmark::State& state) {
    saveScreen(state, PictureFormat::Gif, "kuva.gif");
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_SaveScreenAsGif))->Unit(benchmark::kMillisecond);
static void BM_SaveScreenAsJpeg(benchmark::State& state) {
    saveScreen(state, PictureFormat::Jpeg, "kuva.jpeg");
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_SaveScreenAsJpeg))->Unit(benchmark::kMillisecond);

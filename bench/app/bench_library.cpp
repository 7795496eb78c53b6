// The tool library and its designs, read beside BM_FullScreenMemcpy: listing a folder of
// 5 000 entries (budget 200 ms), opening a design of 20 tools with Speed at 100 (50 ms
// beyond the 20 slides, which BM_Slide20Tools measures alone) and saving one (10 ms).
#include "RavoWindows.h"
#include "Screens.h"

#include "aids/OptionsForm.h"
#include "app/Palette.h"
#include "gfx/Picture.h"
#include "surface/Form1.h"
#include "tools/DesignFile.h"
#include "tools/FilesForm.h"
#include "tools/Osoitin.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTreeWidget>

namespace {

// A library of `count` pictures of 100 x 100 pixels, and the design that places them all.
QString libraryOfPictures(Ravo& ravo, int count) {
    TFilesForm* library = ravo.ws->FilesForm;
    const QString folder = ravo.ws->Palette->folders.ToolsFolder + QStringLiteral("Tunti/");
    QDir().mkpath(folder);
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(QColor(30, 90, 160));
    QStringList design = {QStringLiteral("1920~1080~")};
    for (int i = 0; i < count; ++i) {
        const QString file = folder + QStringLiteral("kuva%1.bmp").arg(i);
        gfx::savePicture(picture, file, gfx::PictureFormat::Bmp);
        design << QStringLiteral("%1~%2~%3~100~").arg(file).arg(40 * i).arg(30 * i);
    }
    writeDesignFile(folder + QStringLiteral("Tunti.rvo"), design);
    library->ToolsFolder = folder;
    ravo.ws->OptionsForm->Speed->setValue(100);
    return folder + QStringLiteral("Tunti.rvo");
}

} // namespace

// 4 900 tool pictures and designs and 100 folders, listed and sorted.
static void BM_FindFiles5000(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TFilesForm* library = ravo->ws->FilesForm;
    const QString folder = ravo->ws->Palette->folders.ToolsFolder + QStringLiteral("Iso/");
    for (int i = 0; i < 100; ++i)
        QDir().mkpath(folder + QStringLiteral("Kansio %1").arg(i));
    for (int i = 0; i < 4900; ++i) {
        QFile f(folder + QStringLiteral("työkalu %1.%2").arg(i).arg(i % 7 ? "bmp" : "rvo"));
        if (!f.open(QIODevice::WriteOnly)) return state.SkipWithError("no folder to list");
    }
    library->ToolsFolder = folder;
    for (auto _ : state)
        library->FindFiles();
    state.counters["rows"] = library->FileList->topLevelItemCount();
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_FindFiles5000))->Unit(benchmark::kMillisecond);

// A design of 20 tools opened over the 20 it opened before, slides included.
static void BM_OpenDesign20Tools(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    const QString design = libraryOfPictures(*ravo, 20);
    TFilesForm* library = ravo->ws->FilesForm;
    for (auto _ : state)
        library->OpenDesign(design);
    state.counters["tools"] = double(ravo->ws->Form1->toolWindows.tools().size());
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_OpenDesign20Tools))->Unit(benchmark::kMillisecond);

// The slides alone: 20 tools of a loaded picture made and slid in, then removed.
static void BM_Slide20Tools(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    libraryOfPictures(*ravo, 1);
    TFilesForm* library = ravo->ws->FilesForm;
    library->LoadPicture(library->ToolsFolder + QStringLiteral("kuva0.bmp"));
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            library->Xanipos = 40 * i;
            library->Yanipos = 30 * i;
            library->ShowTool(QStringLiteral("kuva0.bmp"), 100);
        }
        state.PauseTiming();
        ravo->ws->Form1->toolWindows.destroyAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_Slide20Tools))->Unit(benchmark::kMillisecond);

// Saving the 20 tools of an opened design, the library's listing refreshed after it.
static void BM_SaveDesign20Tools(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TFilesForm* library = ravo->ws->FilesForm;
    library->OpenDesign(libraryOfPictures(*ravo, 20));
    library->DesignName->setText(QStringLiteral("Tallennettu"));
    for (auto _ : state)
        library->DoSaveClick();
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_SaveDesign20Tools))->Unit(benchmark::kMillisecond);

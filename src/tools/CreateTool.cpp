// Tools made from a cut-out: the surface's CreateTool and the cut-out menu's two items
// that make one, for this session or also saved in the tools folder.
#include "aids/OptionsForm.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/PictureDialogs.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "gfx/Picture.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "tools/FilesForm.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include "tools/ToolLogic.h"
#include "tools/ToolWindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSlider>

#include <algorithm>

namespace {

// Lets the closed menu leave the screen before the frame is read from it.
void waitForMenuToGo() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

void TForm1::CreateTool(const QString& ToolName) {
    const QSize screen = platform::screenSize();
    const QPoint askAt =
        createToolQuestionPos(Xm, Ym, screen.width(), screen.height(), ws.MesForm->width(),
                              ws.MesForm->height(), outerWidth(ws.Palette));
    const bool whiteGrabbable =
        ws.MesForm->AskQuestion(
            QStringLiteral("Muunnetaanko myös valkoinen väri tartuntapinnaksi?"), askAt.x(),
            askAt.y()) == 1;
    makeTool(ToolName, whiteGrabbable);
}

void TForm1::makeTool(const QString& ToolName, bool whiteGrabbable) {
    const QSize screen = platform::screenSize();
    if (whiteGrabbable) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        whitenToGrabbable(CopyImage.image());
        QGuiApplication::restoreOverrideCursor();
    }

    const ToolPlacement at = createToolPlacement(CopyImage.width(), CopyImage.height(), MinXRaja,
                                                 MinYRaja, MaxXRaja, MaxYRaja);
    TOsoitin* tool =
        makeToolWindow(ws, {CopyImage.image().copy(), at.side, QRect(0, 0, at.side, at.side),
                            ToolName + QLatin1Char('.'), ws.OptionsForm->WorkAlpha->value()});
    Xa = std::max(Xa, 0);
    Ya = std::max(Ya, 0);
    showToolWindow(tool, QPoint(screen.width() + 1, at.top));
    tool->move(at.left, at.top);
}

void TForm1::MenuWorkTempClick() {
    waitForMenuToGo();
    DrawBounds(QStringLiteral("OUTSIDE"));
    CreateTool(QStringLiteral("Apu"));
    ws.FilesForm->GetTools();
}

void TForm1::MenuWorkClick() {
    waitForMenuToGo();
    DrawBounds(QStringLiteral("OUTSIDE"));
    SavePictureDialog2->InitialDir = ws.FilesForm->ToolsFolder;
    if (!SavePictureDialog2->Execute()) return;
    const QFileInfo chosen(SavePictureDialog2->FileName);
    const QString name = chosen.fileName().section(QLatin1Char('.'), 0, 0);
    const QString folder = chosen.absolutePath() + QLatin1Char('/');
    CreateTool(name);
    if (SavePictureDialog2->FilterIndex == 1)
        gfx::savePicture(CopyImage.image(), folder + name + QStringLiteral(".jpeg"),
                         gfx::PictureFormat::Jpeg);
    else
        gfx::savePicture(CopyImage.image(), folder + name + QStringLiteral(".bmp"),
                         gfx::PictureFormat::Bmp);
    ws.FilesForm->GetTools();
    ws.FilesForm->FindFiles();
}

TForm1::~TForm1() {
    toolWindows.destroyAll();
}

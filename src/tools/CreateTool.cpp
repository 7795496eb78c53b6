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

    auto* tool = new TOsoitin(ws);
    // Owned by the surface, so the window manager keeps it above the surface as it keeps
    // the surface's other windows, and it goes with the surface.
    tool->setParent(this, tool->windowFlags());
    toolWindows.add(tool);
    ToolForm = tool;
    tool->setWindowOpacity(ws.OptionsForm->WorkAlpha->value() / 255.0);
    const ToolPlacement at = createToolPlacement(CopyImage.width(), CopyImage.height(), MinXRaja,
                                                 MinYRaja, MaxXRaja, MaxYRaja);
    tool->resize(at.side, at.side);
    tool->Image1->SetPicture(TPicture());
    tool->Image1->setGeometry(0, 0, tool->width(), tool->height());
    tool->Image1->SetPicture(TPicture::fromBitmap(CopyImage.image().copy()));
    Xa = std::max(Xa, 0);
    Ya = std::max(Ya, 0);
    tool->Hint = QStringLiteral("0");
    ++FormId;
    tool->setObjectName(QStringLiteral("Apu") + QString::number(FormId));
    tool->setWindowTitle(ToolName + QLatin1Char('.'));
    tool->Tag = FormId;
    ActiveForm = tool;
    // Shown off the screen first, so that it appears where it belongs already drawn.
    tool->move(screen.width() + 1, at.top);
    tool->show();
    tool->repaint();
    tool->move(at.left, at.top);
    // Said once more now that the window is on the screen: a compositor that began to watch
    // the window only after it was mapped still learns its opacity.
    tool->setWindowOpacity(tool->windowOpacity());
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

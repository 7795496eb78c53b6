#include "aids/ColorsForm.h"
#include "aids/OptionsForm.h"
#include "app/Errors.h"
#include "app/Palette.h"
#include "app/RavoIni.h"
#include "support/Fixture.h"
#include "support/Unprivileged.h"
#include "text/FormText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSlider>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WriteSettings : public RavoFixture {
protected:
    void SetUp() override {
        writeIniRaw(QStringLiteral("[Common]\r\nINSTALLFOLDER=%1\r\n[Main]\r\nPenWidth=4\r\n"
                                   "LinePenColor=$0000FF\r\nOma=arvo\r\n")
                        .arg(installFolder())
                        .toUtf8());
        start();
        ASSERT_FALSE(ws->finished());
    }
};

TEST_F(WriteSettings, WritesTheKeysInOrderAndKeepsTheRest) {
    TPalette* p = ws->Palette;
    p->LinePenWidth = 9;
    p->LinePenColor = gfx::rgb(0, 0, 255);
    p->DotPenWidth = 14;
    p->DotPenColor = gfx::rgb(1, 2, 3);
    ws->FormText->FontSize->setEditText(QStringLiteral("30"));
    ws->OptionsForm->Alpha->setValue(200);
    ws->OptionsForm->WorkAlpha->setValue(150);
    ws->OptionsForm->CellWidth->setValue(55);
    ws->OptionsForm->Speed->setValue(33);
    ws->OptionsForm->SnapToGrid->setChecked(true);
    p->WriteSettings();

    const QString text = QString::fromUtf8(readAll(iniPath()));
    const char* order[] = {"PenWidth = 4",         "LinePenColor = 16711680",
                           "Oma = arvo",           "Color = 255",
                           "LinePenWidth = 9",     "DotPenWidth = 14",
                           "DotPenColor = 197121", "FontName = ",
                           "FontSize = 30",        "Alpha = 200",
                           "WorkAlpha = 150",      "CellWidth = 55",
                           "Speed = 33",           "SnapToGrid = 1"};
    qsizetype last = -1;
    for (const char* key : order) {
        const qsizetype at = text.indexOf(QLatin1String(key));
        EXPECT_GT(at, last) << key << "\n" << text.toStdString();
        last = std::max(last, at);
    }
    EXPECT_TRUE(text.contains(QStringLiteral("INSTALLFOLDER = ") + installFolder()));

    // What is written is read back at the next start.
    ws.reset();
    start();
    EXPECT_EQ(ws->Palette->LinePenWidth, 9);
    EXPECT_EQ(ws->Palette->DotPenColor, gfx::rgb(1, 2, 3));
    EXPECT_EQ(ws->OptionsForm->Speed->value(), 33);
    EXPECT_TRUE(ws->OptionsForm->SnapToGrid->isChecked());
    EXPECT_EQ(ws->FormText->FontSize->currentText(), QStringLiteral("30"));
}

TEST_F(WriteSettings, FontSizeThatIsNotANumberLeavesTheFileWhole) {
    const QByteArray before = readAll(iniPath());
    ws->FormText->FontSize->setEditText(QStringLiteral("24pt"));
    EXPECT_THROW(ws->Palette->WriteSettings(), RavoError);
    EXPECT_EQ(readAll(iniPath()), before);
}

TEST_F(WriteSettings, UnwritableFolderIsReportedAndTheFileStaysWhole) {
    const QByteArray before = readAll(iniPath());
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    for (QString dir = configFolder(); dir.size() > root.path().size(); dir = QFileInfo(dir).path())
        QFile::setPermissions(dir, QFile::permissions(dir) | QFile::ExeOther | QFile::ReadOther);
    QFile::setPermissions(root.path(), QFile::permissions(root.path()) | QFile::ExeOther);
    const int code = runWithoutWriteAccess(configFolder(), [&] {
        try {
            ws->Palette->WriteSettings();
        } catch (const RavoError& e) {
            return e.text().contains(iniPath()) ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "1: no error, 2: the message does not name the file";
    EXPECT_EQ(readAll(iniPath()), before);
}

} // namespace

#include "app/PictureDialogs.h"

#include "app/Errors.h"
#include "app/PictureFilesLogic.h"
#include "gfx/Picture.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewSide = 200;

// A small picture of the file, read at the preview's size so that a large photo costs
// little; null when it is no picture that can be read.
QImage previewOf(const QString& path, QSize& fullSize) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    fullSize = reader.size();
    if (!fullSize.isValid() || fullSize.width() > gfx::MaxPictureSide ||
        fullSize.height() > gfx::MaxPictureSide)
        return {};
    const QSize box(kPreviewSide, kPreviewSide);
    if (fullSize.width() > box.width() || fullSize.height() > box.height())
        reader.setScaledSize(fullSize.scaled(box, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

TPictureFileDialog::TPictureFileDialog(QWidget* parent, AcceptMode mode, const QString& filter,
                                       const char* name)
    : QFileDialog(parent) {
    setObjectName(QLatin1String(name));
    setOption(QFileDialog::DontUseNativeDialog);
    // An existing file is replaced without a question, as the picture saving always did.
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(mode);
    setFileMode(mode == AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setNameFilters(nameFiltersOf(filter));
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

bool TPictureFileDialog::Execute() {
    const QStringList filters = nameFilters();
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        selectNameFilter(filters[FilterIndex - 1]);
    if (!InitialDir.isEmpty()) setDirectory(InitialDir);
    selectFile(QString());
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return false;
    FileName = selectedFiles().first();
    FilterIndex = int(filters.indexOf(selectedNameFilter())) + 1;
    if (FilterIndex < 1) FilterIndex = 1;
    return true;
}

TOpenPictureDialog::TOpenPictureDialog(QWidget* parent, const QString& filter, const char* name)
    : TPictureFileDialog(parent, AcceptOpen, filter, name) {
    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PreviewPane"));
    auto* column = new QVBoxLayout(pane);
    Preview = new QLabel(pane);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setFixedSize(kPreviewSide + 4, kPreviewSide + 4);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setFrameShape(QFrame::StyledPanel);
    PreviewCaption = new QLabel(pane);
    PreviewCaption->setObjectName(QStringLiteral("PreviewCaption"));
    PreviewCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    column->addWidget(Preview);
    column->addWidget(PreviewCaption);
    column->addStretch(1);
    // Qt's own dialog lays itself out in a grid: the pane becomes its last column.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this,
            reporting(this, &TOpenPictureDialog::showPreview));
    // A name typed into the name field is previewed too, once it names a file.
    if (auto* typed = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(typed, &QLineEdit::textChanged, this, [this](const QString& text) {
            const QString path = directory().absoluteFilePath(text);
            if (QFileInfo(path).isFile()) showPreview(path);
        });
    showPreview(QString());
}

void TOpenPictureDialog::showPreview(const QString& path) {
    QSize fullSize;
    const QImage picture = QFileInfo(path).isFile() ? previewOf(path, fullSize) : QImage();
    if (picture.isNull()) {
        Preview->setPixmap(QPixmap());
        Preview->setText(path.isEmpty() || QFileInfo(path).isDir()
                             ? QString()
                             : QStringLiteral("Ei esikatselua"));
        PreviewCaption->clear();
        return;
    }
    Preview->setPixmap(QPixmap::fromImage(picture));
    PreviewCaption->setText(QStringLiteral("%1 × %2").arg(fullSize.width()).arg(fullSize.height()));
}

#include "tools/FilesForm.h"

#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"
#include "tools/LibraryLogic.h"

#include <QTabWidget>
#include <QVBoxLayout>

TFilesForm::TFilesForm(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("FilesForm"));
    setWindowTitle(QStringLiteral(" Työkalut"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    Book = new QTabWidget(this);
    Book->setObjectName(QStringLiteral("Book"));
    BookPage1 = new QWidget;
    BookPage1->setObjectName(QStringLiteral("BookPage1"));
    Book->addTab(BookPage1, QStringLiteral("Haku     "));
    BookPage2 = new QWidget;
    BookPage2->setObjectName(QStringLiteral("BookPage2"));
    Book->addTab(BookPage2, QStringLiteral("Sommitelma"));

    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Book);

    resize(228, 474);
    FormCreate();
}

void TFilesForm::FormCreate() {
    const QPoint target = defaultSlideTarget(platform::screenSize(), outerWidth(this));
    DefXpos = target.x();
    DefYpos = target.y();
}

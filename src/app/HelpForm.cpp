#include "app/HelpForm.h"

#include "app/Icons.h"
#include "app/WindowSet.h"

#include <QLabel>
#include <QPushButton>

THelpForm::THelpForm(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Tietoja Ravo-ohjelmasta..."));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13);
    setFont(f);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ravoIcon(QStringLiteral("info"), 50).pixmap(50, 50));
    Image1->setGeometry(8, 8, 50, 50);

    Info = new QLabel(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Info->move(64, 8);

    auto button = [this](const char* name, const QString& caption, const char* icon, int top) {
        auto* b = new QPushButton(ravoIcon(QLatin1String(icon)), caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString(caption).remove(QLatin1Char('&')).trimmed());
        b->setGeometry(344, top, 104, 42);
        return b;
    };
    DoClose = button("DoClose", QStringLiteral("&Sulje"), "close", 8);
    DoHelp = button("DoHelp", QStringLiteral(" &Ohje     "), "information", 104);

    // A single fixed border: the user cannot resize it.
    setFixedSize(456, 212);

    connect(DoClose, &QPushButton::clicked, this, &THelpForm::DoCloseClick);
}

void THelpForm::DoCloseClick() {
    close();
}

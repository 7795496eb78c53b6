#include "app/HelpForm.h"

#include "app/Errors.h"
#include "app/Icons.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    Image1->setPixmap(ravoIcon(QStringLiteral("ravo"), 50).pixmap(50, 50));
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

    connect(DoClose, &QPushButton::clicked, this, reporting(this, &THelpForm::DoCloseClick));
    connect(DoHelp, &QPushButton::clicked, this, reporting(this, &THelpForm::DoHelpClick));
}

QString aboutText(const QString& version) {
    QString text = QStringLiteral("Ravo v") + version + QStringLiteral("\r\n\r\n");
    for (const char* line : AboutContacts)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}

void THelpForm::FormShow() {
    setWindowTitle(QStringLiteral("Tietoja Ravo-ohjelmasta..."));
    Info->setText(aboutText(platform::fileVersionText(QCoreApplication::applicationFilePath())));
    Info->adjustSize();
}

void THelpForm::DoHelpClick() {
    const QString f = ws.Palette->folders.MainFolder + QStringLiteral("RavoOhje.mht");
    if (!QFileInfo::exists(f)) {
        ws.MesForm->ShowInfo(QStringLiteral("Ohjetta ei ole asennettu."), 400, 400);
        return;
    }
    const int result =
        platform::runProgram(f, QString(), QDir::toNativeSeparators(QFileInfo(f).absolutePath()));
    if (result >= 1 && result <= 32)
        ws.MesForm->ShowInfo(QStringLiteral("Ohjetta ei voi avata jostain syystä."), 400, 400);
}

void THelpForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
}

void THelpForm::DoCloseClick() {
    close();
}

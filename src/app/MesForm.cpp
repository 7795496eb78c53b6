#include "app/MesForm.h"

#include "app/Icons.h"
#include "app/WindowGeometry.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

int roundHalfEven(double v) {
    return int(std::nearbyint(v));
}

TMesForm::TMesForm(WindowSet&) : QDialog(nullptr) {
    setObjectName(QStringLiteral("MesForm"));
    setWindowTitle(QStringLiteral("Ilmoitus"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(430, 128);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    setPalette(pal);
    setAutoFillBackground(true);

    Information = new QLabel(this);
    Information->setObjectName(QStringLiteral("Information"));
    Information->setGeometry(8, 4, 41, 39);
    Information->setPixmap(ravoIcon(QStringLiteral("information"), 39).pixmap(41, 39));
    Information->setAccessibleName(QStringLiteral("Ilmoitus"));

    Warning = new QLabel(this);
    Warning->setObjectName(QStringLiteral("Warning"));
    Warning->setGeometry(8, 47, 38, 39);
    Warning->setPixmap(ravoIcon(QStringLiteral("warning"), 38).pixmap(38, 39));
    Warning->setAccessibleName(QStringLiteral("Vahvistus"));

    Info = new QPlainTextEdit(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setGeometry(63, 4, 360, 78);
    Info->setReadOnly(true);
    Info->setFrameShape(QFrame::NoFrame);
    Info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Info->setFocusPolicy(Qt::ClickFocus);
    Info->setAccessibleName(QStringLiteral("Viesti"));

    Ok = new QPushButton(QStringLiteral("&Ok"), this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setGeometry(136, 88, 80, 32);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, [this] { done(ResultYes); });

    No = new QPushButton(QStringLiteral("&Ei"), this);
    No->setObjectName(QStringLiteral("No"));
    No->setGeometry(242, 88, 80, 32);
    No->setAutoDefault(false);
    connect(No, &QPushButton::clicked, this, [this] { done(ResultNo); });
    setTabOrder(Ok, No);
}

void TMesForm::reject() {
    done(ResultClosed);
}

void TMesForm::SetMessageKind(const QString& kind) {
    const int w = outerWidth(this);
    if (kind == QLatin1String("INFORMATION")) {
        setWindowTitle(QStringLiteral("Info"));
        Ok->move(w / 2 - Ok->width() / 2, Ok->y());
        No->hide();
        Ok->setText(QStringLiteral("&Ok"));
        Information->show();
        Warning->hide();
    } else {
        setWindowTitle(QStringLiteral("Vahvistus"));
        Ok->move(roundHalfEven(w * 0.28), Ok->y());
        No->move(roundHalfEven(w * 0.56), No->y());
        No->show();
        Ok->setText(QStringLiteral("&Kyllä"));
        Information->hide();
        Warning->move(Information->pos());
        Warning->show();
    }
    Ok->setAccessibleName(Ok->text().remove(QLatin1Char('&')));
    No->setAccessibleName(No->text().remove(QLatin1Char('&')));
}

int TMesForm::showAt(const QString& text, int left, int top, const QString& kind) {
    Info->clear();
    Info->setPlainText(text);
    move(left, top);
    SetMessageKind(kind);
    Ok->setFocus();
    return exec();
}

void TMesForm::ShowInfo(const QString& text, int left, int top) {
    showAt(text, left, top, QStringLiteral("INFORMATION"));
}

int TMesForm::AskQuestion(const QString& text, int left, int top) {
    return showAt(text, left, top, QStringLiteral("QUESTION"));
}

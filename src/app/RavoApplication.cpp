#include "app/RavoApplication.h"

#include "app/Errors.h"

#include <QMessageBox>
#include <QWidget>

RavoApplication::RavoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle);
    // Only closing the surface ends the program.
    setQuitOnLastWindowClosed(false);
}

bool RavoApplication::notify(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_hintHidePause > 0)
        if (auto* w = qobject_cast<QWidget*>(receiver); w && w->toolTipDuration() < 0)
            w->setToolTipDuration(m_hintHidePause);
    try {
        return QApplication::notify(receiver, event);
    } catch (const RavoError& e) {
        reportError(e.text());
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void reportError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

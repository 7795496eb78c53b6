#include "app/RavoApplication.h"

#include "app/Errors.h"

#include "gfx/Picture.h"

#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QWidget>

RavoApplication::RavoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle);
    // Only closing the surface ends the program.
    setQuitOnLastWindowClosed(false);
    // Qt's own dialogs and buttons speak Finnish like the rest of Ravo, and dates and sizes
    // in them are written the Finnish way.
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    m_qtFinnish = m_qtTranslator.load(QLocale(QLocale::Finnish), QStringLiteral("qtbase"),
                                      QStringLiteral("_"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                  installTranslator(&m_qtTranslator);
    // Pictures as large as the engine takes, also from the clipboard, which Qt decodes.
    QImageReader::setAllocationLimit(
        int(qint64(gfx::MaxPictureSide) * gfx::MaxPictureSide * 4 / (1024 * 1024)) + 1);
}

bool RavoApplication::notify(QObject* receiver, QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_hintHidePause > 0)
        if (auto* w = qobject_cast<QWidget*>(receiver); w && w->toolTipDuration() < 0)
            w->setToolTipDuration(m_hintHidePause);
    if (m_latency) return notifyTimed(receiver, event);
    return notifyReporting(receiver, event);
}

bool RavoApplication::notifyTimed(QObject* receiver, QEvent* event) {
    m_latency->arrived(receiver, event);
    const bool handled = notifyReporting(receiver, event);
    m_latency->handled(receiver, event);
    return handled;
}

bool RavoApplication::notifyReporting(QObject* receiver, QEvent* event) {
    // The last resort for handlers that do not catch at their own door.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return false;
}

void reportCurrentException() {
    try {
        throw;
    } catch (const RavoError& e) {
        reportError(e.text());
    } catch (const gfx::PictureError& e) {
        reportError(e.message()); // UTF-8, whatever the system's own encoding
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
}

void reportError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

#pragma once
// The application object. Its event dispatch catches what no handler caught and shows it
// in the general error report; the program goes on.
#include "app/LatencyLog.h"

#include <QApplication>
#include <QTranslator>

#include <memory>

inline const QString ApplicationTitle = QStringLiteral("Tervaso Ravo");

class RavoApplication : public QApplication {
    Q_OBJECT
public:
    RavoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // How long a hint stays visible, in milliseconds, for every control that does not set
    // its own time.
    int hintHidePause() const { return m_hintHidePause; }
    void setHintHidePause(int ms) { m_hintHidePause = ms; }

    // Whether Qt's own Finnish texts (dialogs, buttons, context menus) were found.
    bool qtSpeaksFinnish() const { return m_qtFinnish; }

private:
    bool notifyTimed(QObject* receiver, QEvent* event);
    bool notifyReporting(QObject* receiver, QEvent* event);
    int m_hintHidePause = -1;
    QTranslator m_qtTranslator;
    bool m_qtFinnish = false;
    std::unique_ptr<LatencyLog> m_latency = LatencyLog::fromEnvironment();
};

// The general error report: a message box with the text and the application's title.
void reportError(const QString& text);

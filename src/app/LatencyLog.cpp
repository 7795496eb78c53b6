#include "app/LatencyLog.h"

#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <chrono>

namespace {

std::int64_t now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The window an event's receiver paints into: a window itself, or a top-level widget's.
QWindow* windowOf(QObject* receiver) {
    if (receiver->isWindowType()) return static_cast<QWindow*>(receiver);
    if (receiver->isWidgetType()) {
        auto* w = static_cast<QWidget*>(receiver);
        if (w->isWindow()) return w->windowHandle();
    }
    return nullptr;
}

} // namespace

std::unique_ptr<LatencyLog> LatencyLog::fromEnvironment() {
    const QString file = qEnvironmentVariable("RAVO_LATENCY_LOG");
    return file.isEmpty() ? nullptr : std::make_unique<LatencyLog>(file);
}

LatencyLog::LatencyLog(const QString& fileName) : m_fileName(fileName) {
    m_pairs.reserve(4096);
}

LatencyLog::~LatencyLog() {
    write();
}

void LatencyLog::arrived(QObject* receiver, QEvent* event) {
    // Only the window's own delivery counts: Qt hands the same move on to the widget.
    if (!receiver->isWindowType()) return;
    if (event->type() == QEvent::MouseMove &&
        static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) {
        auto* w = static_cast<QWindow*>(receiver);
        if (!m_waiting.contains(w)) m_waiting.insert(w, now());
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_waiting.clear();
        write();
    }
}

void LatencyLog::handled(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::UpdateRequest || m_waiting.isEmpty()) return;
    QWindow* w = windowOf(receiver);
    const auto it = m_waiting.find(w);
    if (it == m_waiting.end()) return;
    m_pairs.push_back({w->objectName(), it.value(), now()});
    m_waiting.erase(it);
}

void LatencyLog::write() {
    if (m_pairs.empty()) return;
    QFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    QByteArray text;
    for (const Pair& p : m_pairs)
        text += p.window.toUtf8() + ' ' + QByteArray::number(p.moved) + ' ' +
                QByteArray::number(p.painted) + '\n';
    f.write(text);
    m_pairs.clear();
}

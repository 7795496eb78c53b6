#pragma once
// A recorder of the time from a pointer move to the end of the repaint it caused, for the
// desktop benchmark. Off unless RAVO_LATENCY_LOG names a file; the application's event
// dispatch hands it each event before and after handling, and does nothing more when off.
#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QEvent;
class QObject;
class QWindow;

class LatencyLog {
public:
    // The recorder RAVO_LATENCY_LOG asks for; null when it names no file.
    static std::unique_ptr<LatencyLog> fromEnvironment();
    explicit LatencyLog(const QString& fileName);
    ~LatencyLog(); // writes what is left

    // A move with a button held arriving at a window starts a wait, unless one is waiting;
    // the end of that window's next update request (painting and flushing its backing store)
    // ends it. A button's release writes the pairs so far, outside any measured wait.
    void arrived(QObject* receiver, QEvent* event);
    void handled(QObject* receiver, QEvent* event);

private:
    struct Pair {
        QString window;
        std::int64_t moved = 0, painted = 0; // nanoseconds of the monotonic clock
    };
    void write();
    QString m_fileName;
    QHash<QWindow*, std::int64_t> m_waiting;
    std::vector<Pair> m_pairs;
};

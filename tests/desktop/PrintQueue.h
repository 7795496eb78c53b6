#pragma once
// A print queue of the tests' own: a private cupsd, listening only on a unix socket in a
// temporary folder, with one cups-pdf printer that writes its PDFs into that folder too.
// The system's cupsd, if any, is neither used nor disturbed.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PrintQueue {
public:
    static inline const QString printer = QStringLiteral("RavoPDF");

    PrintQueue(); // starts cupsd and adds the printer as the default destination
    ~PrintQueue();
    PrintQueue(const PrintQueue&) = delete;
    PrintQueue& operator=(const PrintQueue&) = delete;

    bool ok() const { return m_ok; }
    const QString& error() const { return m_error; } // why the queue is not ok
    const QString& socket() const { return m_socket; }
    qint64 cupsdPid() const { return m_cupsd.processId(); }
    QString folder() const { return m_dir.path(); }

    // What a client needs on top of its environment to print here: libcups, and with it
    // Qt's print support, reads the server from CUPS_SERVER.
    QProcessEnvironment environment() const;

    // Runs a program with the client environment; its standard output, trimmed.
    QString run(const QString& program, const QStringList& args, int* exitCode = nullptr,
                QString* errors = nullptr) const;

    // The path of a PDF not returned before, once no job is left unfinished; empty if
    // none came within `ms`.
    QString waitForPdf(int ms);
    // The first page of a PDF as pixels at `dpi`, through pdftoppm; null when it cannot be
    // read, with the reason in `errors`.
    QImage rasterise(const QString& pdf, int dpi, QString* errors = nullptr) const;

    // The last lines of cupsd's and cups-pdf's logs, for messages of failing tests.
    QString logs(int lines = 30) const;

private:
    bool start();
    bool fail(const QString& why);
    bool writeFile(const QString& path, const QByteArray& bytes);

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_socket;
    QString m_error;
    QSet<QString> m_returned;
    bool m_ok = false;
};

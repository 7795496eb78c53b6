#include "PrintQueue.h"

#include <QTemporaryDir>

#include "Desktop.h" // waitUntil

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString CupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString CupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString findTool(const QString& name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty()) return onPath;
    // Root's tools are not on every user's PATH.
    return QStandardPaths::findExecutable(name,
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

QString lastLines(const QString& path, int lines) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList all = QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'));
    if (all.size() > lines) all = all.mid(all.size() - lines);
    return QStringLiteral("--- %1\n%2\n").arg(path, all.join(QLatin1Char('\n')));
}

// cups-pdf takes its folders from the printer's PPD as well as from /etc/cups/cups-pdf.conf,
// the PPD winning; its named configurations (cups-pdf:/NAME) would still have to live in
// /etc/cups. A PPD value ends at its first slash, so the folders are relative: cups-pdf runs
// in cupsd's working directory, the queue's folder. It cannot create a folder named without
// a slash, so they all exist beforehand.
const char* const CupsPdfFolders = R"(*% Ravo's tests: cups-pdf's folders in the queue's own.
*OpenUI *Out/Output folder: PickOne
*DefaultOut: pdf
*Out pdf/Queue folder: ""
*CloseUI: *Out

*OpenUI *AnonDirName/Output folder of unknown users: PickOne
*DefaultAnonDirName: pdf
*AnonDirName pdf/Queue folder: ""
*CloseUI: *AnonDirName

*OpenUI *Spool/Spool folder: PickOne
*DefaultSpool: pdf-spool
*Spool pdf-spool/Queue folder: ""
*CloseUI: *Spool

*OpenUI *GSTmp/Ghostscript's temporary folder: PickOne
*DefaultGSTmp: pdf-tmp
*GSTmp pdf-tmp/Queue folder: ""
*CloseUI: *GSTmp

*OpenUI *Log/Log folder: PickOne
*DefaultLog: log
*Log log/Queue folder: ""
*CloseUI: *Log

*CloseGroup: General)";

} // namespace

PrintQueue::PrintQueue() : m_dir(QDir::tempPath() + QStringLiteral("/ravo-cups-XXXXXX")) {
    m_ok = start();
}

PrintQueue::~PrintQueue() {
    if (m_cupsd.state() == QProcess::NotRunning) return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(3000);
    }
}

bool PrintQueue::fail(const QString& why) {
    m_error = QStringLiteral("no print queue: ") + why;
    return false;
}

bool PrintQueue::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool PrintQueue::start() {
    // cups-pdf refuses to work unless cupsd runs it as root.
    if (::geteuid() != 0) return fail(QStringLiteral("cupsd must run as root for cups-pdf"));
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    const QString lpadmin = findTool(QStringLiteral("lpadmin"));
    if (cupsd.isEmpty() || lpadmin.isEmpty())
        return fail(QStringLiteral("cupsd or lpadmin not found (Debian package cups)"));
    if (!QFileInfo::exists(CupsPdfBackend) || !QFileInfo::exists(CupsPdfPpd))
        return fail(QStringLiteral("%1 or %2 missing (Debian package printer-driver-cups-pdf)")
                        .arg(CupsPdfBackend, CupsPdfPpd));
    if (!m_dir.isValid()) return fail(QStringLiteral("no temporary folder"));

    const QString base = m_dir.path();
    m_socket = base + QStringLiteral("/cups.sock");
    if (m_socket.toLocal8Bit().size() >= int(sizeof(sockaddr_un::sun_path)))
        return fail(QStringLiteral("socket path too long: ") + m_socket);
    // Filters run as the user lp and must reach the spool inside.
    if (::chmod(QFile::encodeName(base).constData(), 0755) != 0)
        return fail(QStringLiteral("cannot open up ") + base);
    for (const char* sub :
         {"conf", "spool/tmp", "cache", "state", "log", "pdf", "pdf-spool", "pdf-tmp"})
        if (!QDir(base).mkpath(QLatin1String(sub)))
            return fail(QStringLiteral("cannot make folders in ") + base);
    // Jobs of unknown users run ghostscript as nobody.
    for (const char* sub : {"pdf", "pdf-tmp"})
        ::chmod(QFile::encodeName(base + QLatin1Char('/') + QLatin1String(sub)).constData(), 01777);

    const QString conf = base + QStringLiteral("/conf");
    const QByteArray cupsdConf = QStringLiteral("Listen %1\n"
                                                "LogLevel debug\n"
                                                "MaxLogSize 0\n"
                                                "WebInterface No\n"
                                                "Browsing No\n"
                                                "ErrorPolicy abort-job\n"
                                                "<Policy default>\n"
                                                "  <Limit All>\n"
                                                "    Order deny,allow\n"
                                                "  </Limit>\n"
                                                "</Policy>\n")
                                     .arg(m_socket)
                                     .toLocal8Bit();
    // Every file cupsd writes stays in the folder, the printcap included.
    const QByteArray filesConf = QStringLiteral("ServerRoot %1/conf\n"
                                                "RequestRoot %1/spool\n"
                                                "TempDir %1/spool/tmp\n"
                                                "CacheDir %1/cache\n"
                                                "StateDir %1/state\n"
                                                "Printcap %1/state/printcap\n"
                                                "ErrorLog %1/log/error_log\n"
                                                "AccessLog %1/log/access_log\n"
                                                "PageLog %1/log/page_log\n"
                                                "SystemGroup root\n")
                                     .arg(base)
                                     .toLocal8Bit();
    QFile stock(CupsPdfPpd);
    if (!stock.open(QIODevice::ReadOnly)) return fail(QStringLiteral("cannot read ") + CupsPdfPpd);
    QByteArray ppd = stock.readAll();
    const QByteArray close("*CloseGroup: General");
    const qsizetype at = ppd.indexOf(close);
    if (at < 0) return fail(CupsPdfPpd + QStringLiteral(" has no General group"));
    ppd.replace(at, close.size(), CupsPdfFolders);
    const QString ppdPath = base + QStringLiteral("/RavoPDF.ppd");
    if (!writeFile(conf + QStringLiteral("/cupsd.conf"), cupsdConf) ||
        !writeFile(conf + QStringLiteral("/cups-files.conf"), filesConf) ||
        !writeFile(ppdPath, ppd))
        return fail(QStringLiteral("cannot write the configuration in ") + conf);

    m_cupsd.setWorkingDirectory(base);
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    // A test killed on its timeout must not leave its scheduler behind.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start(cupsd,
                  {QStringLiteral("-f"), QStringLiteral("-c"), conf + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), conf + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd.waitForStarted(5000)) return fail(cupsd + QStringLiteral(" does not start"));
    const bool running = waitUntil(
        [&] {
            return m_cupsd.state() == QProcess::Running &&
                   run(QStringLiteral("lpstat"),
                       {QStringLiteral("-h"), m_socket, QStringLiteral("-r")}) ==
                       QStringLiteral("scheduler is running");
        },
        15000);
    if (!running)
        return fail(QStringLiteral("cupsd does not answer on %1: %2")
                        .arg(m_socket, QString::fromLocal8Bit(m_cupsd.readAll())));

    auto admin = [&](const QStringList& args) {
        int code = -1;
        QString errors;
        run(lpadmin, QStringList{QStringLiteral("-h"), m_socket} + args, &code, &errors);
        // lpadmin warns that printer drivers are deprecated, and succeeds all the same.
        return code == 0 ||
               fail(QStringLiteral("lpadmin %1: %2").arg(args.join(QLatin1Char(' ')), errors));
    };
    return admin({QStringLiteral("-p"), printer, QStringLiteral("-E"), QStringLiteral("-v"),
                  QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppdPath}) &&
           admin({QStringLiteral("-d"), printer});
}

QProcessEnvironment PrintQueue::environment() const {
    QProcessEnvironment env;
    env.insert(QStringLiteral("CUPS_SERVER"), m_socket);
    return env;
}

QString PrintQueue::run(const QString& program, const QStringList& args, int* exitCode,
                        QString* errors) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(environment());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // messages as the tests read them
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool finished = p.waitForFinished(30000);
    if (exitCode)
        *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (errors)
        *errors =
            finished ? QString::fromLocal8Bit(p.readAllStandardError()).trimmed() : p.errorString();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString PrintQueue::waitForPdf(int ms) {
    if (!m_ok) return {};
    const QDir pdf(m_dir.path() + QStringLiteral("/pdf"));
    QString found;
    const bool whole = waitUntil(
        [&] {
            found.clear();
            for (const QFileInfo& f : pdf.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files,
                                                        QDir::Time | QDir::Reversed))
                if (!m_returned.contains(f.absoluteFilePath())) {
                    found = f.absoluteFilePath();
                    break;
                }
            if (found.isEmpty()) return false;
            // cups-pdf writes under the final name; the job ends when the file is whole.
            int code = -1;
            const QString unfinished =
                run(QStringLiteral("lpstat"),
                    {QStringLiteral("-h"), m_socket, QStringLiteral("-o")}, &code);
            return code == 0 && unfinished.isEmpty();
        },
        ms);
    if (!whole) return {};
    m_returned.insert(found);
    return found;
}

QString PrintQueue::logs(int lines) const {
    const QString log = m_dir.path() + QStringLiteral("/log/");
    return lastLines(log + QStringLiteral("error_log"), lines) +
           lastLines(log + QStringLiteral("cups-pdf-") + printer + QStringLiteral("_log"), lines);
}

QImage PrintQueue::rasterise(const QString& pdf, int dpi, QString* errors) const {
    QTemporaryDir work;
    const QString png = work.filePath(QStringLiteral("page"));
    int code = -1;
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, png},
        &code, errors);
    if (code != 0) return {};
    return QImage(png + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QRegularExpression>
#include <QThread>

#include <utility>

std::string colourName(QRgb c) {
    return QString::number(c & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0')).toStdString();
}

std::string pointName(QPoint p) {
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

QPoint paletteControl(const QRect& palette, const QString& hint) {
    // The controls from the top down with their heights, 3 pixels apart below a margin of 3.
    static const std::pair<const char*, int> controls[] = {
        {"Siirry läpinäkymättömään tilaan", 28},
        {"Näytä/Piilota verho", 28},
        {"Avaa kynän vahvuuden valinta", 25},
        {"Avaa piirtotyökaluvalikko", 28},
        {"Leikkaustyökalu", 28},
        {"Avaa tekstieditori", 28},
        {"Värjää alue", 28},
        {"Avaa värivalikko", 24},
        {"Avaa työkaluvalikko", 28},
        {"Avaa pyyhkimistyövalikko", 28},
        {"Edellisen piirron peruutus", 28},
        {"Tyhjennä kuva-alue", 28},
        {"Ota taustasta kuva ja tuo kuvapinnalle", 28},
        {"Tulosta näytön kuva.", 28},
        {"Avaa kuvatiedosto", 28},
        {"Tallenna kuva tiedostoon", 28},
        {"Avaa asetukset-ikkuna", 28},
        {"Tietoja Ravosta", 28},
    };
    int top = 3;
    for (const auto& [name, height] : controls) {
        const QString n = QString::fromUtf8(name);
        if (hint.startsWith(n)) return palette.topLeft() + QPoint(19, top + height / 2);
        top += height + 3;
    }
    return {};
}

bool waitUntil(const std::function<bool()>& condition, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (condition()) return true;
        QThread::msleep(50);
    }
    return false;
}

Desktop::Desktop(QSize screen) {
    // The server chooses a free display itself and names it on its standard output, so that
    // test programs starting desktops at the same moment never share one.
    auto xvfb = std::make_unique<QProcess>();
    xvfb->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb->start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"),
                 QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray named;
    waitUntil(
        [&] {
            xvfb->waitForReadyRead(50);
            named += xvfb->readAllStandardOutput();
            return named.contains('\n') || xvfb->state() == QProcess::NotRunning;
        },
        10000);
    m_processes.push_back(std::move(xvfb));
    bool numbered = false;
    const int n = named.trimmed().toInt(&numbered);
    if (!numbered) return;
    m_display = QStringLiteral(":%1").arg(n);
    spawn(QStringLiteral("openbox"), {});
    spawn(QStringLiteral("xcompmgr"), {});
    // The window manager is ready once it has claimed the root window.
    m_ok = waitUntil(
        [&] {
            return run(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id"));
        },
        10000);
    QThread::msleep(300);
}

Desktop::~Desktop() {
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(3000)) (*it)->kill();
        (*it)->waitForFinished(1000);
    }
}

QProcess* Desktop::spawn(const QString& program, const QStringList& args) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(environment());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->setStandardOutputFile(QProcess::nullDevice());
    p->start(program, args);
    p->waitForStarted(5000);
    m_processes.push_back(std::move(p));
    return m_processes.back().get();
}

QProcessEnvironment Desktop::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    return env;
}

QString Desktop::run(const QString& program, const QStringList& args, int* exitCode) const {
    return QString::fromLocal8Bit(runBytes(program, args, exitCode)).trimmed();
}

QByteArray Desktop::runBytes(const QString& program, const QStringList& args, int* exitCode) const {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(program, args);
    p.waitForFinished(20000);
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

QStringList Desktop::visibleWindows(qint64 pid) const {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid)})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect Desktop::geometry(const QString& window) const {
    const QString out = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto value = [&](const char* key) {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(key)));
        return re.match(out).captured(1).toInt();
    };
    return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                 value("Height"));
}

QString Desktop::name(const QString& window) const {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window});
    p.waitForFinished(20000);
    QString name = QString::fromUtf8(p.readAllStandardOutput()); // leading blanks count
    if (name.endsWith(QLatin1Char('\n'))) name.chop(1);
    return name;
}

QImage Desktop::capture() const {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/shot.png");
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

RavoRun::RavoRun(const Desktop& desktop, const QString& dataHome, const QProcessEnvironment& extra,
                 const QString& program) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), desktop.display());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(extra);
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, {});
    m_process.waitForStarted(5000);
}

RavoRun::~RavoRun() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool RavoRun::waitForExit(int ms) {
    return m_process.waitForFinished(ms);
}

QString DesktopTest::iniPath() const {
    return data.path() + QStringLiteral("/Tervaso/Ravo/Ravo.ini");
}

void DesktopTest::writeIni(const QString& main) {
    QDir().mkpath(data.path() + QStringLiteral("/Tervaso/Ravo"));
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[Common]\nINSTALLFOLDER=%1/\n[Main]\n%2")
                .arg(QStringLiteral(RAVO_INSTALL_DIR), main)
                .toUtf8());
}

QByteArray DesktopTest::iniBytes() const {
    QFile f(iniPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString DesktopTest::windowNamed(qint64 pid, const QString& name) const {
    for (const QString& w : desktop->visibleWindows(pid))
        if (desktop->name(w) == name) return w;
    return {};
}

void DesktopTest::xdotool(const QStringList& args) const {
    desktop->run(QStringLiteral("xdotool"), args);
}

void DesktopTest::clickAt(QPoint p) const {
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(300);
}

void DesktopTest::moveTo(QPoint p) const {
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
    QThread::msleep(100);
}

void DesktopTest::dragAlong(const std::vector<QPoint>& path) const {
    if (path.empty()) return;
    moveTo(path.front());
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    QThread::msleep(100);
    for (std::size_t i = 1; i < path.size(); ++i)
        moveTo(path[i]);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(300);
}

void DesktopTest::keys(const QStringList& names) const {
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")} +
            names);
    QThread::msleep(200);
}

void DesktopTest::typeText(const QString& text) const {
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
    QThread::msleep(200);
}

QRect DesktopTest::waitForPalette(const RavoRun& ravo) const {
    if (!waitUntil([&] { return desktop->visibleWindows(ravo.pid()).size() >= 3; }, 20000))
        return {};
    QThread::msleep(500);
    const QString window = windowNamed(ravo.pid(), QStringLiteral("  Ravo"));
    return window.isEmpty() ? QRect() : desktop->geometry(window);
}

QString DesktopTest::waitForNewWindow(qint64 pid, const QStringList& before, int ms) const {
    QString found;
    waitUntil(
        [&] {
            for (const QString& w : desktop->visibleWindows(pid))
                if (!before.contains(w)) found = w;
            return !found.isEmpty();
        },
        ms);
    if (!found.isEmpty()) QThread::msleep(300); // drawn and given the keyboard
    return found;
}

void DesktopTest::saveShot(const QString& name) const {
    const QString folder = qEnvironmentVariable("RAVO_DESKTOP_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    desktop->run(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"),
                  folder + QLatin1Char('/') + name + QStringLiteral(".png")});
}

bool DesktopTest::waitForColours(const std::vector<QPoint>& points,
                                 const std::function<bool(QRgb)>& test) {
    return waitUntil(
        [&] {
            shot = desktop->capture();
            for (const QPoint& p : points)
                if (!test(shot.pixel(p))) return false;
            return true;
        },
        5000);
}

void DesktopTest::clickControl(const QRect& palette, const QString& hint) const {
    const QPoint p = paletteControl(palette, hint);
    ASSERT_FALSE(p.isNull()) << hint.toStdString();
    clickAt(p);
}

void DesktopTest::chooseMenuItem(const QString& menu, int item, int count) const {
    const QRect r = desktop->geometry(menu);
    clickAt(QPoint(r.center().x(), r.top() + (2 * item + 1) * r.height() / (2 * count)));
}

namespace {

void writeText(const QString& name, const QString& text) {
    QFile f(name);
    if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
}

} // namespace

QProcessEnvironment DesktopTest::recordingHandler(const QStringList& mimeTypes) {
    const QString apps = data.path() + QStringLiteral("/applications");
    const QString config = data.path() + QStringLiteral("/config");
    QDir().mkpath(apps);
    QDir().mkpath(config);
    const QString script = data.path() + QStringLiteral("/record.sh");
    writeText(script,
              QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1/opened.txt'\n").arg(data.path()));
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    writeText(apps + QStringLiteral("/ravo-test-recorder.desktop"),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=Kirjuri\nExec=%1 %u\n"
                             "MimeType=%2;\n")
                  .arg(script, mimeTypes.join(QLatin1Char(';'))));
    QString defaults = QStringLiteral("[Default Applications]\n");
    for (const QString& type : mimeTypes)
        defaults += type + QStringLiteral("=ravo-test-recorder.desktop\n");
    writeText(config + QStringLiteral("/mimeapps.list"), defaults);
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    return env;
}

QString DesktopTest::recorded() const {
    QFile f(data.path() + QStringLiteral("/opened.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

QString DesktopTest::copyInstallation(const QString& folder) {
    QDir().mkpath(folder);
    const QDir installed(QStringLiteral(RAVO_INSTALL_DIR));
    for (const QString& name : installed.entryList(QDir::Files)) {
        const QString copy = folder + QLatin1Char('/') + name;
        QFile::copy(installed.filePath(name), copy);
        QFile::setPermissions(copy, QFile::permissions(installed.filePath(name)));
    }
    return folder + QStringLiteral("/Ravo");
}

#pragma once
// A real desktop for the tests: Xvfb with the openbox window manager and the xcompmgr
// compositor, the installed program started on it, and xdotool for real X input.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Desktop {
public:
    // Starts the X server with one screen of `screen`, the window manager and compositor.
    explicit Desktop(QSize screen = QSize(1920, 1080));
    ~Desktop();
    bool ok() const { return m_ok; }
    const QString& display() const { return m_display; }

    // The environment of the programs started on the desktop: ours, with its DISPLAY.
    QProcessEnvironment environment() const;
    // Runs a command on the desktop and returns its standard output (trimmed).
    QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) const;
    // The same, for output that is no text: the bytes as they came.
    QByteArray runBytes(const QString& program, const QStringList& args,
                        int* exitCode = nullptr) const;
    QStringList visibleWindows(qint64 pid) const;
    QRect geometry(const QString& window) const; // the client area, in screen pixels
    QString name(const QString& window) const;
    QImage capture() const;

private:
    QProcess* spawn(const QString& program, const QStringList& args);
    QString m_display;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    bool m_ok = false;
};

// The installed program, started with its own data folder; `extra` is added to its
// environment, e.g. a PrintQueue's.
class RavoRun {
public:
    // The installed program, or `program` when one is named.
    RavoRun(const Desktop& desktop, const QString& dataHome,
            const QProcessEnvironment& extra = QProcessEnvironment(),
            const QString& program = QStringLiteral(RAVO_INSTALL_DIR "/Ravo"));
    ~RavoRun();
    qint64 pid() const { return m_process.processId(); }
    bool waitForExit(int ms);
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString output() { return QString::fromLocal8Bit(m_process.readAll()); }

private:
    QProcess m_process;
};

// Polls `condition` every 50 ms for up to `ms`.
bool waitUntil(const std::function<bool()>& condition, int ms);

// Colours as a capture shows them, with room for the blending of see-through windows.
inline bool reddish(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
inline bool whitish(QRgb c) {
    return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230;
}
// Equal within `tolerance` in each channel.
inline bool closeColour(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
// For the messages of failed checks: "rrggbb" and "x,y".
std::string colourName(QRgb c);
std::string pointName(QPoint p);

// The middle of the palette control with this hint (its first sentence is enough), the
// palette's client area being `palette`; a null point for a hint it does not have.
QPoint paletteControl(const QRect& palette, const QString& hint);

// Each test suite gets a desktop of its own; each test a data folder of its own.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { desktop = new Desktop; }
    static void TearDownTestSuite() {
        delete desktop;
        desktop = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(desktop->ok()) << "no X server / window manager"; }

    QString iniPath() const;
    // A settings file naming the installed program's folder, with `main` as its Main section.
    void writeIni(const QString& main);
    QByteArray iniBytes() const;
    // The visible window of the process with exactly this name (leading blanks count).
    QString windowNamed(qint64 pid, const QString& name) const;
    void xdotool(const QStringList& args) const;
    void clickAt(QPoint p) const;
    void moveTo(QPoint p) const;
    // Clicks the palette control with this hint, the palette's client area being `palette`.
    void clickControl(const QRect& palette, const QString& hint) const;
    // Clicks the item `item` (from 0) of the `count` items of the menu shown as `menu`.
    void chooseMenuItem(const QString& menu, int item, int count) const;
    // A drag with the left button through the points of `path`, the first the press.
    void dragAlong(const std::vector<QPoint>& path) const;
    // Keys as xdotool names them ("Return", "ctrl+a"), and text typed as it is.
    void keys(const QStringList& names) const;
    void typeText(const QString& text) const;
    // The palette's client area once the program shows its windows; empty if it does not.
    QRect waitForPalette(const RavoRun& ravo) const;
    // A window of the process shown after `before` was listed, for menus and dialogs;
    // empty if none shows within `ms`.
    QString waitForNewWindow(qint64 pid, const QStringList& before, int ms = 10000) const;
    // The screen into NAME.png in the folder RAVO_DESKTOP_SHOTS names, when it names one:
    // pictures of the dialogs for a person to look at.
    void saveShot(const QString& name) const;
    // Captures the screen into `shot` until every point passes `test`, for up to 5 s.
    bool waitForColours(const std::vector<QPoint>& points, const std::function<bool(QRgb)>& test);

    // A program of the test's user that writes down what it is asked to open, registered as
    // the default for `mimeTypes` the way xdg-open finds it; the environment to run Ravo with.
    QProcessEnvironment recordingHandler(const QStringList& mimeTypes);
    // A copy of the installed program's folder in `folder`, for a test that changes it; the
    // copy's program file.
    static QString copyInstallation(const QString& folder);
    // What the recording program was asked to open, one per line.
    QString recorded() const;

    static inline Desktop* desktop = nullptr;
    QTemporaryDir data;
    QImage shot;
};

// The day's steps. Strokes follow a cycle of twenty kinds, placed by their number within a
// hundred, so that the first hundred strokes after the warm-up and the last hundred are the
// same strokes and their times compare. Tools, designs and the aids come at fixed strokes
// of every hundred, so each of them has happened before the first reading.
#include "Day.h"

#include "RavoWindows.h"

#include "aids/AddIns.h"
#include "aids/OptionsForm.h"
#include "aids/RadioGroup.h"
#include "aids/Tools.h"
#include "aids/Zoomer.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "gfx/Color.h"
#include "surface/Form1.h"
#include "text/FormText.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

// Strokes timed for a reading, and the warm-up before the first one.
constexpr int TimedStrokes = 100;

struct StrokeTime {
    qint64 wallNs = 0, cpuNs = 0;
    StrokeTime& operator+=(const StrokeTime& t) {
        wallNs += t.wallNs;
        cpuNs += t.cpuNs;
        return *this;
    }
};

qint64 threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void check(bool ok, const QString& what) {
    if (!ok) throw std::runtime_error(what.toStdString());
}

void setTicked(QAbstractButton* button, bool on) {
    if (button->isChecked() != on) button->click();
}

// Lets the windows repaint and finish what was posted, deletions included.
void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Day {
public:
    explicit Day(Ravo& ravo);
    ~Day() { m_answerer.stop(); }

    // Stroke `i` of the day; gives its time.
    StrokeTime stroke(int i);
    // A tool cut out of the drawing, turned and painted onto it; kept for the next design
    // (named and saved in the tools folder) or deleted.
    void tool(int n, bool keep);
    // The tools on the screen saved as design `n` and the design opened, then its tools
    // deleted from the library's list.
    void design(int n);
    // The grid on at even `n` and off at odd; the magnifier opened, moved and closed.
    void switchAids(int n);

    QStringList messages;

private:
    using Step = void (Day::*)(int i, QPoint at, int size);
    static const Step Kinds[20];

    // The selector's state for a shape stroke.
    struct Look {
        QToolButton* TTools::*shape;
        bool fill = false;
        int gradient = 0;
        bool dash = false;
        bool arrowLeft = false, arrowRight = false;
    };
    void choose(const Look& look);
    void press(QPoint p) { m_f->FormMouseDown(Qt::LeftButton, {Qt::LeftButton, {}}, p.x(), p.y()); }
    void move(QPoint p) { m_f->FormMouseMove({Qt::LeftButton, {}}, p.x(), p.y()); }
    void release(QPoint p) { m_f->FormMouseUp(Qt::LeftButton, {Qt::NoButton, {}}, p.x(), p.y()); }
    // A press, a few moves towards `to` that overshoot and come back, and the release.
    void drag(QPoint from, QPoint to);
    void shapeStroke(const Look& look, QPoint at, int size);

    void line(int, QPoint at, int size) { shapeStroke({&TTools::DoLine}, at, size); }
    void arrowLine(int, QPoint at, int size) {
        shapeStroke({&TTools::DoLine, false, 0, false, false, true}, at, size);
    }
    void doubleArrow(int, QPoint at, int size) {
        shapeStroke({&TTools::DoLine, false, 0, false, true, true}, at, size);
    }
    void curve(int i, QPoint at, int size);
    void dot(int, QPoint at, int) { shapeStroke({&TTools::DoDot}, at, 0); }
    void rect(int, QPoint at, int size) { shapeStroke({&TTools::DoRect}, at, size); }
    void filledRect(int, QPoint at, int size) { shapeStroke({&TTools::DoRect, true}, at, size); }
    void gradientRect(int i, QPoint at, int size) {
        shapeStroke({&TTools::DoRect, true, 1 + (i % 100 / 20) % 4}, at, size);
    }
    void roundRect(int, QPoint at, int size) { shapeStroke({&TTools::DoRoundRect}, at, size); }
    void ellipse(int, QPoint at, int size) { shapeStroke({&TTools::DoEllipse}, at, size); }
    void gradientEllipse(int i, QPoint at, int size) {
        shapeStroke({&TTools::DoEllipse, true, 1 + (i % 100 / 20) % 2}, at, size);
    }
    void circle(int, QPoint at, int size) { shapeStroke({&TTools::DoCircle}, at, size); }
    void polygon(int i, QPoint at, int size);
    void centredPolygon(int i, QPoint at, int size);
    void axes(int, QPoint at, int size) { shapeStroke({&TTools::DoAxes}, at, size); }
    void eraser(int i, QPoint at, int size);
    void areaFill(int, QPoint at, int);
    void text(int i, QPoint at, int);
    void undo(int, QPoint, int) { m_palette->DoCancel->click(); }
    void dashedOrClear(int i, QPoint at, int size);

    // Right button on the tool: its properties window opens at the pointer.
    void openProperties(TOsoitin* tool);

    Ravo& m_ravo;
    TForm1* m_f;
    TTools* m_tools;
    TPalette* m_palette;
    QTimer m_answerer;
    // The answer to the question a tool's making asks.
    int m_whiteAnswer = 0;
};

// Twenty kinds; the undo comes after a dozen strokes and before the cycle's last two.
const Day::Step Day::Kinds[20] = {
    &Day::line,
    &Day::arrowLine,
    &Day::doubleArrow,
    &Day::curve,
    &Day::dot,
    &Day::rect,
    &Day::filledRect,
    &Day::gradientRect,
    &Day::roundRect,
    &Day::ellipse,
    &Day::gradientEllipse,
    &Day::circle,
    &Day::polygon,
    &Day::centredPolygon,
    &Day::axes,
    &Day::eraser,
    &Day::areaFill,
    &Day::text,
    &Day::undo,
    &Day::dashedOrClear,
};

Day::Day(Ravo& ravo)
    : m_ravo(ravo), m_f(ravo.ws->Form1), m_tools(ravo.ws->Tools), m_palette(ravo.ws->Palette) {
    // The program's messages are modal: the question a tool's making asks gets the day's
    // answer, any other message is answered and kept for the report.
    m_answerer.setInterval(20);
    QObject::connect(&m_answerer, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text(); // the general error report
            return box->done(QMessageBox::Ok);
        }
        auto* mes = qobject_cast<TMesForm*>(modal);
        if (!mes) return;
        const QString asked = mes->Info->toPlainText();
        if (asked.startsWith(QStringLiteral("Muunnetaanko"))) return mes->done(m_whiteAnswer);
        messages << asked;
        mes->done(1);
    });
    m_answerer.start();
    // Designs slide their tools in at the fastest speed the options offer.
    ravo.ws->OptionsForm->Speed->setValue(ravo.ws->OptionsForm->Speed->maximum());
    m_palette->DoShowDrawMenu->click();
    settle();
}

void Day::choose(const Look& look) {
    (m_tools->*look.shape)->click();
    if (look.shape == &TTools::DoLine) {
        setTicked(m_tools->ArrowLeft, look.arrowLeft);
        setTicked(m_tools->ArrowRight, look.arrowRight);
    }
    setTicked(m_tools->Fill, look.fill);
    if (look.fill) m_tools->Gradient->setItemIndex(look.gradient);
    setTicked(m_tools->Dash, look.dash);
}

void Day::drag(QPoint from, QPoint to) {
    press(from);
    const QPoint far = to + (to - from) / 4;
    for (int k = 1; k <= 6; ++k)
        move(from + (far - from) * k / 6);
    for (int k = 1; k <= 3; ++k)
        move(far + (to - far) * k / 3);
    release(to);
}

void Day::shapeStroke(const Look& look, QPoint at, int size) {
    choose(look);
    drag(at, at + QPoint(size, size * 2 / 3));
}

void Day::curve(int i, QPoint at, int size) {
    choose({&TTools::DoCurve});
    press(at);
    for (int k = 1; k <= 30; ++k)
        move(at + QPoint(size * k / 30, ((k * 7 + i) % 11) * size / 20));
    release(at + QPoint(size, size / 3));
}

void Day::polygon(int i, QPoint at, int size) {
    m_tools->AngleCount->setValue(3 + (i % 100 / 20) % 6);
    shapeStroke({&TTools::DoPolygon}, at, size);
}

void Day::centredPolygon(int i, QPoint at, int size) {
    m_tools->AngleCount->setValue(5 + (i % 100 / 20) % 8);
    shapeStroke({&TTools::DoPolygonCenter, true}, at + QPoint(size / 2, size / 2), size / 2);
}

void Day::eraser(int i, QPoint at, int size) {
    m_palette->Sponge->click();
    TAddIns* erasers = m_ravo.ws->AddIns;
    QToolButton* const squares[] = {erasers->Nelio1, erasers->Nelio2, erasers->Nelio3};
    squares[(i % 100 / 20) % 3]->click();
    drag(at, at + QPoint(size, size / 4));
    // Back to drawing: the selector's button gives the shape pointer again.
    m_palette->DoShowDrawMenu->click();
}

void Day::areaFill(int, QPoint at, int) {
    m_palette->DoFill->click();
    press(at);
    release(at);
    m_palette->DoFill->click();
}

void Day::text(int i, QPoint at, int) {
    TFormText* t = m_ravo.ws->FormText;
    m_palette->DoText->click();
    // A few fonts and sizes in turn, as a user tries them.
    t->FontName->setCurrentIndex((i % 100 / 20) % std::min(4, std::max(1, t->FontName->count())));
    t->FontSize->setCurrentIndex((i % 100 / 20) % std::max(1, t->FontSize->count()));
    t->Editor->setPlainText(
        QStringLiteral("Hyvää huomenta, luokka %1!\nTänään piirretään.").arg(i));
    t->EditorClick();
    press(at);
    release(at);
    m_palette->DoText->click();
}

void Day::dashedOrClear(int i, QPoint at, int size) {
    // Once in every hundred the board is wiped, as a teacher wipes it between lessons.
    if (i % 100 == 99) return m_palette->DoClear->click();
    shapeStroke({&TTools::DoEllipse, false, 0, true}, at, size);
}

StrokeTime Day::stroke(int i) {
    const QSize screen = m_f->size();
    const int k = i % 100;
    const QPoint at(80 + (k * 137) % std::max(1, screen.width() - 500),
                    80 + (k * 89) % std::max(1, screen.height() - 400));
    const int size = 60 + (k * 53) % 240;
    QElapsedTimer timer;
    timer.start();
    const qint64 cpu = threadCpuNs();
    m_palette->ChooseColor(gfx::rgb((k * 40) % 256, (k * 90) % 256, (k * 20) % 256));
    (this->*Kinds[i % 20])(i, at, size);
    QApplication::processEvents(); // the repaint of what the stroke changed
    return {timer.nsecsElapsed(), threadCpuNs() - cpu};
}

void Day::openProperties(TOsoitin* tool) {
    const QPoint p(tool->width() / 2, tool->height() / 2);
    tool->Image1MouseDown(Qt::RightButton, Qt::RightButton, p.x(), p.y());
    tool->Image1MouseUp(Qt::RightButton, Qt::NoButton, p.x(), p.y());
    check(m_ravo.ws->Oper->isVisible(), QStringLiteral("the tool's properties did not open"));
}

void Day::tool(int n, bool keep) {
    // Something to cut: a filled shape of the day's colour, outlined with the scissors.
    const QPoint at(300 + (n * 71) % 900, 250 + (n * 43) % 400);
    shapeStroke({&TTools::DoRect, true, 0}, at - QPoint(60, 60), 200);
    setTicked(m_palette->Scissors, true);
    choose({n % 2 ? &TTools::DoEllipse : &TTools::DoRect});
    drag(at - QPoint(80, 70), at + QPoint(100, 90));
    check(m_f->PopupMenu->isVisible(), QStringLiteral("the cut-out menu did not open"));
    const int before = m_f->FormId;
    m_whiteAnswer = n % 2;
    QTest::mouseClick(m_f->PopupMenu, Qt::LeftButton, {},
                      m_f->PopupMenu->actionGeometry(m_f->MenuWorkTemp).center());
    setTicked(m_palette->Scissors, false);
    QPointer<TOsoitin> tool = m_f->ToolForm;
    check(tool && m_f->FormId == before + 1, QStringLiteral("no tool was made of the cut-out"));

    // Turned in turning mode by a drag around its centre.
    openProperties(tool);
    TOper* oper = m_ravo.ws->Oper;
    oper->Rotating->click();
    oper->close();
    const QPoint c(tool->width() / 2, tool->height() / 2);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c.x() + 100, c.y());
    tool->Image1MouseMove(Qt::LeftButton, c.x() + 70, c.y() - 70);
    tool->Image1MouseMove(Qt::LeftButton, c.x() + 10 * (n % 7), c.y() - 100);
    tool->Image1MouseUp(Qt::LeftButton, Qt::NoButton, c.x(), c.y() - 100);
    check(tool->Image1->Angle() != 0, QStringLiteral("the tool did not turn"));

    openProperties(tool);
    oper->DoPaste->click();
    openProperties(tool);
    if (keep) {
        oper->ToolName->setText(QStringLiteral("Kynä%1").arg(n % 10));
        oper->DoSave->click();
        oper->close();
    } else {
        oper->DoDelete->click();
    }
    settle();
    check(keep == !tool.isNull(), QStringLiteral("the deleted tool is still there"));
}

void Day::design(int n) {
    TFilesForm* library = m_ravo.ws->FilesForm;
    const qsizetype onScreen = m_f->toolWindows.tools().size();
    check(onScreen > 0, QStringLiteral("no tools for the design"));
    const QString name = QStringLiteral("Päivä%1").arg(n);
    library->DesignName->setText(name);
    library->DoSave->click();
    const QString file = library->ToolsFolder + name + QStringLiteral(".rvo");
    check(QFile::exists(file), QStringLiteral("the design was not saved"));
    library->OpenDesign(file);
    check(m_f->toolWindows.tools().size() == onScreen,
          QStringLiteral("the opened design has another number of tools"));
    library->List->selectAll();
    library->DoDelete->click();
    settle();
    check(m_f->toolWindows.tools().isEmpty(), QStringLiteral("the design's tools stayed"));
}

void Day::switchAids(int n) {
    setTicked(m_ravo.ws->OptionsForm->Grid, n % 2 == 0);
    // The magnifier is opened for a look around and closed again: while it is shown the
    // surface's moves only move it.
    TZoomer* zoomer = m_ravo.ws->Zoomer;
    m_f->MenuZoom->trigger();
    settle();
    check(zoomer->isVisible(), QStringLiteral("the magnifier did not open"));
    const QSize screen = m_f->size();
    for (int k = 0; k < 20; ++k) {
        const QPoint p(screen.width() * (k + 1) / 22,
                       screen.height() * ((k * 7 + n) % 20 + 1) / 22);
        m_f->FormMouseMove({Qt::NoButton, {}}, p.x(), p.y());
        QApplication::processEvents();
    }
    m_f->MenuZoom->trigger();
    settle();
    check(!zoomer->isVisible(), QStringLiteral("the magnifier did not close"));
}

Reading readMemory() {
    Reading r;
    r.residentMiB = residentMiB();
    malloc_trim(0);
    r.trimmedMiB = residentMiB();
    const struct mallinfo2 heap = mallinfo2();
    r.heapMiB = double(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
    for (const QWidget* w : QApplication::allWidgets())
        ++r.widgets[QString::fromLatin1(w->metaObject()->className())];
    return r;
}

} // namespace

DayCounts dayCounts(double scale) {
    const DayCounts full;
    const auto part = [scale](int n) { return std::max(1, int(n * scale + 0.5)); };
    // Never fewer strokes than the two timed runs and the warm-up need.
    return {std::max(3 * TimedStrokes, part(full.strokes)), part(full.tools), part(full.designs),
            part(full.aidSwitches)};
}

double residentMiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

DayFigures liveADay(Ravo& ravo, const DayCounts& counts, Progress progress) {
    Day day(ravo);
    DayFigures figures;
    figures.done = {0, 0, 0, 0};
    // Each kind of step comes at an even rate among the strokes, at its own place.
    const int toolEvery = std::max(1, counts.strokes / counts.tools);
    const int designEvery = std::max(1, counts.strokes / counts.designs);
    const int aidEvery = std::max(1, counts.strokes / counts.aidSwitches);
    const int firstTimed = TimedStrokes, lastTimed = counts.strokes - TimedStrokes;
    StrokeTime startTime, endTime;
    for (int i = 0; i < counts.strokes; ++i) {
        const StrokeTime t = day.stroke(i);
        if (i >= firstTimed && i < firstTimed + TimedStrokes) startTime += t;
        if (i >= lastTimed) endTime += t;

        if (i % toolEvery == toolEvery / 2 && figures.done.tools < counts.tools) {
            // A tool is kept when the next design comes before the next tool but one.
            const int toDesign = ((designEvery / 2 - i % designEvery) + designEvery) % designEvery;
            day.tool(figures.done.tools++, toDesign < 2 * toolEvery);
        }
        if (i % designEvery == designEvery / 2 && figures.done.designs < counts.designs)
            day.design(figures.done.designs++);
        if (i % aidEvery == aidEvery / 2 && figures.done.aidSwitches < counts.aidSwitches)
            day.switchAids(figures.done.aidSwitches++);
        ++figures.done.strokes;

        if (i + 1 == firstTimed) {
            settle();
            figures.start = readMemory();
        } else if (progress && (i + 1) % 100 == 0) {
            settle();
            progress(i + 1, residentMiB());
        }
    }
    // The grid as the day began, so that the last reading is of the same program.
    if (figures.done.aidSwitches % 2) day.switchAids(figures.done.aidSwitches++);
    settle();
    figures.end = readMemory();
    const auto perStroke = [](qint64 ns) { return double(ns) / TimedStrokes / 1000.0; };
    figures.start.usPerStroke = perStroke(startTime.wallNs);
    figures.start.cpuUsPerStroke = perStroke(startTime.cpuNs);
    figures.end.usPerStroke = perStroke(endTime.wallNs);
    figures.end.cpuUsPerStroke = perStroke(endTime.cpuNs);
    figures.messages = day.messages;
    return figures;
}

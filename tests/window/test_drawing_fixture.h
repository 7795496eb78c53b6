#pragma once
// Drawing on the surface through its pointer handlers: a fresh window set with a thin black
// line pen, and helpers for strokes, shapes and the pixels they leave.
#include "aids/Tools.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "support/Fixture.h"
#include "surface/Form1.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <vector>

class DrawingTest : public RavoFixture {
protected:
    void SetUp() override {
        writeIni(ini());
        start();
        ASSERT_FALSE(ws->finished());
        f = ws->Form1;
        tools = ws->Tools;
        palette = ws->Palette;
    }
    virtual QString ini() const { return QStringLiteral("LinePenWidth=1\n"); }

    // Runs `action`, answering each message with `answer` and each file dialog with
    // `fileName` (empty cancels) under its filter `filterIndex` (from 1; 0 leaves it); gives
    // the texts of the messages.
    QStringList answering(int answer, const QString& fileName, const std::function<void()>& action,
                          int filterIndex = 0) {
        QStringList asked;
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* mes = qobject_cast<TMesForm*>(w)) {
                asked << mes->Info->toPlainText();
                mes->done(answer);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                if (fileName.isEmpty()) return dialog->reject();
                if (filterIndex > 0)
                    dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
                auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(typed, nullptr);
                typed->setText(fileName);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        timer.start();
        action();
        return asked;
    }

    // The shape buttons click as the user clicks them, so the selector stays consistent.
    void choose(QToolButton* shape) { shape->click(); }

    void press(QPoint p, Qt::KeyboardModifiers keys = {}) {
        f->FormMouseDown(Qt::LeftButton, {Qt::LeftButton, keys}, p.x(), p.y());
    }
    void move(QPoint p, Qt::KeyboardModifiers keys = {}, Qt::MouseButtons held = Qt::LeftButton) {
        f->FormMouseMove({held, keys}, p.x(), p.y());
    }
    void release(QPoint p, Qt::KeyboardModifiers keys = {}) {
        f->FormMouseUp(Qt::LeftButton, {Qt::NoButton, keys}, p.x(), p.y());
    }
    // Press, the moves, and the release at the last move.
    void drag(QPoint from, const std::vector<QPoint>& moves, Qt::KeyboardModifiers keys = {}) {
        press(from, keys);
        for (const QPoint& p : moves)
            move(p, keys);
        release(moves.empty() ? from : moves.back(), keys);
    }
    // A wandering drag of many moves that ends at `to`.
    static std::vector<QPoint> wander(QPoint from, QPoint to, QPoint far) {
        std::vector<QPoint> path;
        for (int i = 1; i <= 12; ++i)
            path.push_back(from + (far - from) * i / 12);
        for (int i = 1; i <= 12; ++i)
            path.push_back(far + (to - far) * i / 12 + QPoint(i % 3, -(i % 2)));
        path.push_back(to);
        return path;
    }

    QImage surface() const { return f->Canvas.image(); }
    gfx::Color at(int x, int y) const { return f->Canvas.pixel(x, y); }
    bool painted(int x, int y) const { return at(x, y) != gfx::White; }
    // The pixels that are not white.
    static int inkCount(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                n += (row[x] & 0xFFFFFF) != 0xFFFFFF;
        }
        return n;
    }
    void clearSurface() {
        f->Canvas.fillRect(0, 0, f->Canvas.width(), f->Canvas.height(), gfx::White);
    }

    TForm1* f = nullptr;
    TTools* tools = nullptr;
    TPalette* palette = nullptr;
};

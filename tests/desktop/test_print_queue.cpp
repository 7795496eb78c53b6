// The tests' own print queue: a private cupsd whose cups-pdf printer turns jobs into PDFs in
// a temporary folder, for the program's printing to be checked on paper, so to speak.
#include "Desktop.h"
#include "PrintQueue.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string why(const PrintQueue& queue) {
    return (queue.error() + QLatin1Char('\n') + queue.logs()).toStdString();
}

// An A4 page, in points, with its top left quarter red: Qt's print support sends CUPS a PDF
// made by the same writer.
void writeRedQuarter(const QString& path) {
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(72);
    QPainter painter(&pdf);
    painter.fillRect(QRectF(0, 0, 595.0 / 2, 842.0 / 2), Qt::red);
}

TEST(PrintQueue, ClientsFindItsPrinterAsTheDefaultThroughTheEnvironment) {
    PrintQueue queue;
    ASSERT_TRUE(queue.ok()) << why(queue);
    EXPECT_EQ(queue.environment().value(QStringLiteral("CUPS_SERVER")), queue.socket());
    // No -h: lpstat, like every libcups client, finds the server in CUPS_SERVER.
    EXPECT_EQ(queue.run(QStringLiteral("lpstat"), {QStringLiteral("-d")}),
              QStringLiteral("system default destination: RavoPDF"));
    EXPECT_EQ(queue.run(QStringLiteral("lpstat"), {QStringLiteral("-v")}),
              QStringLiteral("device for RavoPDF: cups-pdf:/"));
    EXPECT_TRUE(queue.run(QStringLiteral("lpstat"), {QStringLiteral("-p")})
                    .startsWith(QStringLiteral("printer RavoPDF is idle.  enabled")));
}

TEST(PrintQueue, APrintedPdfComesOutAsOnePageWithItsDrawing) {
    PrintQueue queue;
    ASSERT_TRUE(queue.ok()) << why(queue);
    QTemporaryDir work;
    const QString input = work.filePath(QStringLiteral("quarter.pdf"));
    writeRedQuarter(input);

    int code = -1;
    QString errors;
    queue.run(
        QStringLiteral("lp"),
        {QStringLiteral("-h"), queue.socket(), QStringLiteral("-d"), PrintQueue::printer, input},
        &code, &errors);
    ASSERT_EQ(code, 0) << errors.toStdString();
    const QString pdf = queue.waitForPdf(60000);
    ASSERT_FALSE(pdf.isEmpty()) << why(queue);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    // cups-pdf took its folders from the queue's PPD, not from /etc/cups/cups-pdf.conf.
    EXPECT_TRUE(QFileInfo::exists(queue.folder() + QStringLiteral("/log/cups-pdf-RavoPDF_log")));
    EXPECT_TRUE(pdf.startsWith(queue.folder() + QStringLiteral("/pdf/"))) << pdf.toStdString();

    const QString info = queue.run(QStringLiteral("pdfinfo"), {pdf}, &code, &errors);
    ASSERT_EQ(code, 0) << errors.toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)
            .match(info)
            .hasMatch())
        << info.toStdString();

    const QImage page = queue.rasterise(pdf, 50, &errors);
    ASSERT_FALSE(page.isNull()) << errors.toStdString();
    // A4 at 50 dpi, the page neither turned nor scaled.
    EXPECT_NEAR(page.width(), 413, 2);
    EXPECT_NEAR(page.height(), 585, 2);
    const int w = page.width(), h = page.height();
    EXPECT_TRUE(reddish(page.pixel(w / 4, h / 4)));
    EXPECT_TRUE(reddish(page.pixel(w / 2 - 5, h / 2 - 5)));
    EXPECT_TRUE(whitish(page.pixel(w / 2 + 5, h / 2 + 5)));
    EXPECT_TRUE(whitish(page.pixel(3 * w / 4, h / 4)));
    EXPECT_TRUE(whitish(page.pixel(w / 4, 3 * h / 4)));
    EXPECT_TRUE(whitish(page.pixel(3 * w / 4, 3 * h / 4)));

    // The next job is a new file.
    queue.run(QStringLiteral("lp"), {QStringLiteral("-d"), PrintQueue::printer, input}, &code,
              &errors);
    ASSERT_EQ(code, 0) << errors.toStdString();
    const QString second = queue.waitForPdf(60000);
    ASSERT_FALSE(second.isEmpty()) << why(queue);
    EXPECT_NE(second, pdf);
    EXPECT_TRUE(queue.waitForPdf(0).isEmpty());
}

TEST(PrintQueue, EndingStopsItsCupsdAndRemovesItsFolder) {
    qint64 pid = 0;
    QString folder;
    {
        PrintQueue queue;
        ASSERT_TRUE(queue.ok()) << why(queue);
        pid = queue.cupsdPid();
        folder = queue.folder();
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)));
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

// The program started with the queue's environment, for its print dialog to offer RavoPDF.
class PrintQueueAndRavo : public DesktopTest {};

TEST_F(PrintQueueAndRavo, RavoStartsWithTheQueueInItsEnvironment) {
    PrintQueue queue;
    ASSERT_TRUE(queue.ok()) << why(queue);
    writeIni(QString());
    RavoRun ravo(*desktop, data.path(), queue.environment());
    ASSERT_TRUE(waitUntil([&] { return desktop->visibleWindows(ravo.pid()).size() >= 3; }, 20000))
        << ravo.output().toStdString();
    QFile environ(QStringLiteral("/proc/%1/environ").arg(ravo.pid()));
    ASSERT_TRUE(environ.open(QIODevice::ReadOnly));
    const QList<QByteArray> variables = environ.readAll().split('\0');
    EXPECT_TRUE(variables.contains("CUPS_SERVER=" + queue.socket().toLocal8Bit()));
    // Added to what the program always gets, not instead of it.
    EXPECT_TRUE(variables.contains("DISPLAY=" + desktop->display().toLocal8Bit()));
    EXPECT_TRUE(variables.contains("XDG_DATA_HOME=" + data.path().toLocal8Bit()));
}

} // namespace

#include "support/Fixture.h"

#include "app/MesForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

RavoFixture::RavoFixture() {
    QDir().mkpath(configFolder());
    QDir().mkpath(installFolder());
    for (const char* name : {"Scissors.Cur", "PyyhinNelio1.Cur", "PyyhinNelio2.Cur",
                             "PyyhinNelio3.Cur", "ZedozaVudedAve.JPG"})
        QFile::copy(QStringLiteral(RAVO_CURSOR_DIR "/") + QLatin1String(name),
                    installFolder() + QLatin1String(name));
}

RavoFixture::~RavoFixture() {
    ws.reset();
    QApplication::processEvents();
}

QString RavoFixture::configFolder() const {
    return root.path() + QStringLiteral("/data/Tervaso/Ravo/");
}
QString RavoFixture::installFolder() const {
    return root.path() + QStringLiteral("/install/");
}

void RavoFixture::writeIni(const QString& main) {
    writeIniRaw(QStringLiteral("[Common]\nINSTALLFOLDER=%1\n[Main]\n%2")
                    .arg(installFolder(), main)
                    .toUtf8());
}

void RavoFixture::writeIniRaw(const QByteArray& bytes) {
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

Environment RavoFixture::environment() const {
    Environment env;
    env.appFolder = installFolder();
    env.appDriveType = QStringLiteral("FIXED");
    env.commonAppDataFolder = root.path() + QStringLiteral("/data");
    return env;
}

void RavoFixture::start() {
    ws = std::make_unique<WindowSet>(environment());
}

void RavoFixture::whenModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(w);
        }
    });
    timer->start();
}

void RavoFixture::answerFileDialog(const QString& fileName, int filterIndex, QString* seenFolder) {
    whenModal([=](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr) << "no file dialog but " << w->metaObject()->className();
        if (seenFolder) *seenFolder = dialog->directory().absolutePath() + u'/';
        if (fileName.isEmpty()) return dialog->reject();
        if (filterIndex > 0) dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        // Typed into the name field; selectFile leaves a focused field alone.
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(typed, nullptr);
        typed->setText(fileName);
        static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
    });
}

QStringList RavoFixture::answerMessages(const std::function<void()>& action) {
    QStringList texts;
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [&texts] {
        if (auto* dialog = qobject_cast<TMesForm*>(QApplication::activeModalWidget())) {
            texts << dialog->Info->toPlainText();
            dialog->done(TMesForm::ResultYes);
        }
    });
    timer->start();
    action();
    delete timer;
    return texts;
}

QStringList RavoFixture::errorReportsOf(const std::function<void()>& action) {
    QStringList texts;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->objectName() == QStringLiteral("ErrorReport")) {
            texts << box->text();
            box->accept();
        }
    });
    timer.start();
    action();
    return texts;
}

#pragma once
// A fresh window set per test, with its own folders: a data root in a temporary folder, an
// installation folder holding the pointer files, and a settings file naming it.
#include "app/WindowSet.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class RavoFixture : public ::testing::Test {
protected:
    RavoFixture();
    ~RavoFixture() override;

    // Configuration folder ("…/Tervaso/Ravo/") and installation folder, both ending in "/".
    QString configFolder() const;
    QString installFolder() const;
    QString iniPath() const { return configFolder() + QStringLiteral("Ravo.ini"); }

    // Writes the settings file: the Common section naming the installation folder, then
    // `main` as the body of the Main section.
    void writeIni(const QString& main = QString());
    void writeIniRaw(const QByteArray& bytes);

    Environment environment() const;
    // Builds the window set, as the program's start does.
    void start();

    // Runs `answer` on the next modal dialog once it is open (and returns at once).
    static void whenModal(std::function<void(QWidget*)> answer);
    // Answers the next file dialog as a user does: the filter entry `filterIndex` (from 1;
    // 0 leaves it) chosen, `fileName` typed and confirmed; an empty name cancels. `seenFolder`
    // gets the folder the dialog showed.
    static void answerFileDialog(const QString& fileName, int filterIndex = 0,
                                 QString* seenFolder = nullptr);
    // The texts of the modal dialogs `start` or an action showed, each answered with 1.
    QStringList answerMessages(const std::function<void()>& action);
    // The texts of the general error reports that `action` showed, each closed with its
    // button as the user does.
    static QStringList errorReportsOf(const std::function<void()>& action);

    QTemporaryDir root;
    std::unique_ptr<WindowSet> ws;
};

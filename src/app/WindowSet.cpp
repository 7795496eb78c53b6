#include "app/WindowSet.h"

#include "aids/AddIns.h"
#include "aids/Back.h"
#include "aids/ColorsForm.h"
#include "aids/Display.h"
#include "aids/Numbers.h"
#include "aids/OptionsForm.h"
#include "aids/Sieni.h"
#include "aids/Tools.h"
#include "aids/Zoomer.h"
#include "app/HelpForm.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "curtain/Curtain.h"
#include "curtain/Raami.h"
#include "curtain/Strips.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "text/FormText.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/Osoitin.h"

#include <QCoreApplication>

Environment Environment::fromSystem() {
    Environment env;
    env.appFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    env.appDriveType = platform::driveTypeName(env.appFolder);
    env.commonAppDataFolder = platform::commonAppDataFolder();
    return env;
}

WindowSet::WindowSet(Environment env) : m_env(std::move(env)) {
    // The surface first: closing it ends the program. The palette after every window its
    // start-up and first show touch.
    Form1 = new TForm1(*this);
    Back = new TBack(*this);
    Back->show();
    MesForm = new TMesForm(*this);
    Zoomer = new TZoomer(*this);
    Numbers = new TNumbers(*this);
    FilesForm = new TFilesForm(*this);
    Osoitin = new TOsoitin(*this);
    HelpForm = new THelpForm(*this);
    FormText = new TFormText(*this);
    OptionsForm = new TOptionsForm(*this);
    ColorsForm = new TColorsForm(*this);
    Curtain = new TCurtain(*this);
    Tools = new TTools(*this);
    Palette = new TPalette(*this);
    Palette->show();
    Sieni = new TSieni(*this);
    AddIns = new TAddIns(*this);
    Oper = new TOper(*this);
    Raami = new TRaami(*this);
    RightCurtain = new TRightCurtain(*this);
    LeftCurtain = new TLeftCurtain(*this);
    TopCurtain = new TTopCurtain(*this);
    BottomCurtain = new TBottomCurtain(*this);
    Display = new TDisplay(*this);
}

WindowSet::~WindowSet() {
    // Later windows may refer to earlier ones while they go: destroy in reverse order.
    QWidget* windows[] = {Display,     BottomCurtain, TopCurtain, LeftCurtain, RightCurtain,
                          Raami,       Oper,          AddIns,     Sieni,       Palette,
                          Tools,       Curtain,       ColorsForm, OptionsForm, FormText,
                          HelpForm,    Osoitin,       FilesForm,  Numbers,     Zoomer,
                          MesForm,     Back,          Form1};
    for (QWidget* w : windows)
        delete w;
}

void WindowSet::markFinished() {
    m_finished = true;
    QCoreApplication::quit();
}

QCursor WindowSet::cursorFor(int id) const {
    switch (id) {
    case -20:
        return QCursor(Qt::WhatsThisCursor);
    case -21:
        return QCursor(Qt::PointingHandCursor);
    default:
        if (auto it = loadedCursors.find(id); it != loadedCursors.end())
            return it->second;
        return QCursor(Qt::ArrowCursor);
    }
}

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
#include "app/Icons.h"
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

WindowSet::WindowSet(Environment env) : m_env(std::move(env)) {
    initRavoResources();
    // The surface first: closing it ends the program. The palette after every window its
    // start-up and first show touch.
    Form1 = new TForm1(*this);
    Back = new TBack(*this); // lies under the surface: not one of its own windows
    Back->show();
    MesForm = own(new TMesForm(*this));
    Zoomer = own(new TZoomer(*this));
    Numbers = own(new TNumbers(*this));
    FilesForm = own(new TFilesForm(*this));
    Osoitin = own(new TOsoitin(*this));
    HelpForm = own(new THelpForm(*this));
    FormText = own(new TFormText(*this));
    OptionsForm = own(new TOptionsForm(*this));
    ColorsForm = own(new TColorsForm(*this));
    Curtain = own(new TCurtain(*this));
    Tools = own(new TTools(*this));
    Palette = own(new TPalette(*this));
    Palette->show();
    Sieni = own(new TSieni(*this));
    AddIns = own(new TAddIns(*this));
    Oper = own(new TOper(*this));
    Raami = own(new TRaami(*this));
    RightCurtain = own(new TRightCurtain(*this));
    LeftCurtain = own(new TLeftCurtain(*this));
    TopCurtain = own(new TTopCurtain(*this));
    BottomCurtain = own(new TBottomCurtain(*this));
    Display = own(new TDisplay(*this));
}

WindowSet::~WindowSet() {
    // Later windows may refer to earlier ones while they go: destroy in reverse order.
    QWidget* windows[] = {Display,  BottomCurtain, TopCurtain, LeftCurtain, RightCurtain,
                          Raami,    Oper,          AddIns,     Sieni,       Palette,
                          Tools,    Curtain,       ColorsForm, OptionsForm, FormText,
                          HelpForm, Osoitin,       FilesForm,  Numbers,     Zoomer,
                          MesForm,  Back,          Form1};
    for (QWidget* w : windows)
        delete w;
}

template <class W> W* WindowSet::own(W* window) {
    // The surface owns the other windows, so the window manager keeps them above it even
    // while a surface as large as the screen has the focus.
    window->setParent(Form1, window->windowFlags());
    return window;
}

void WindowSet::markFinished() {
    m_finished = true;
    QCoreApplication::quit();
}

QCursor WindowSet::cursorFor(PointerMode id) const {
    switch (id) {
    case PointerMode::Pick:
        return QCursor(Qt::WhatsThisCursor);
    case PointerMode::PointingHand:
        return QCursor(Qt::PointingHandCursor);
    default:
        if (auto it = loadedCursors.find(id); it != loadedCursors.end()) return it->second;
        return QCursor(Qt::ArrowCursor);
    }
}

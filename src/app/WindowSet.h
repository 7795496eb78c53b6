#pragma once
// The fixed set of Ravo's windows. Each window class has exactly one instance, created
// here in a fixed order and reached by every other window through its name.
#include "app/Environment.h"
#include "gfx/PointerMode.h"

#include <QCursor>

#include <map>
#include <memory>

class TForm1;
class TBack;
class TMesForm;
class TZoomer;
class TNumbers;
class TFilesForm;
class TOsoitin;
class THelpForm;
class TFormText;
class TOptionsForm;
class TColorsForm;
class TCurtain;
class TTools;
class TPalette;
class TSieni;
class TAddIns;
class TOper;
class TRaami;
class TRightCurtain;
class TLeftCurtain;
class TTopCurtain;
class TBottomCurtain;
class TDisplay;

class WindowSet {
public:
    // Creates the 23 windows in their order; the palette's creation runs the start-up of
    // folders and settings, and its first show lays the surface over the screen.
    explicit WindowSet(Environment env = Environment::fromSystem());
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    const Environment& env() const { return m_env; }

    // The program's pointer table: the platform's own pointers and the ones loaded from
    // files at start (the scissors and the erasers); an identifier without a pointer gives
    // the default one.
    QCursor cursorFor(PointerMode id) const;
    std::map<PointerMode, QCursor> loadedCursors;

    // True once the surface has been closed: the program ends (at once when this happens
    // during start-up, before the message loop runs).
    bool finished() const { return m_finished; }
    void markFinished();

    TForm1* Form1 = nullptr;
    TBack* Back = nullptr;
    TMesForm* MesForm = nullptr;
    TZoomer* Zoomer = nullptr;
    TNumbers* Numbers = nullptr;
    TFilesForm* FilesForm = nullptr;
    TOsoitin* Osoitin = nullptr;
    THelpForm* HelpForm = nullptr;
    TFormText* FormText = nullptr;
    TOptionsForm* OptionsForm = nullptr;
    TColorsForm* ColorsForm = nullptr;
    TCurtain* Curtain = nullptr;
    TTools* Tools = nullptr;
    TPalette* Palette = nullptr;
    TSieni* Sieni = nullptr;
    TAddIns* AddIns = nullptr;
    TOper* Oper = nullptr;
    TRaami* Raami = nullptr;
    TRightCurtain* RightCurtain = nullptr;
    TLeftCurtain* LeftCurtain = nullptr;
    TTopCurtain* TopCurtain = nullptr;
    TBottomCurtain* BottomCurtain = nullptr;
    TDisplay* Display = nullptr;

private:
    template <class W> W* own(W* window);

    Environment m_env;
    bool m_finished = false;
};

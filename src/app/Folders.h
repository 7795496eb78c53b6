#pragma once
// Where Ravo keeps its files. Every folder value ends with a separator; file names are
// appended directly.
#include <QString>

struct Folders {
    QString AppFolder;
    bool StartedFromUsb = false;
    QString CommonAppFolder;
    QString RavoFolder;
    QString MainFolder;
    QString DatabaseFolder;
    QString DataFolder;
    QString ToolsFolder;
    QString UpdateFolder;
};

#pragma once
// What start-up learns from the machine. Tests give their own folders and screen.
#include <QString>

struct Environment {
    QString appFolder;           // folder of the running program file, ending in a separator
    QString appDriveType;        // drive type of appFolder ("REMOVABLE", "FIXED", ...)
    QString commonAppDataFolder; // shared application-data folder, as the system gives it

    static Environment fromSystem();
};

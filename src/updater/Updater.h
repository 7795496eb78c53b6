#pragma once
// The updater's work: once the running Ravo has ended, the newer program file waiting in the
// update folder takes the installed one's place in one step, or nothing changes at all.
#include "app/Environment.h"

#include <QString>

#include <functional>

// The files one update concerns.
struct UpdatePlan {
    QString installed; // the program file the user starts
    QString update;    // the newer one waiting in the update folder
    QString log;       // where the updater tells what it did, beside the settings file
};

// The plan from the settings file, found as Ravo finds it; `env` is the updater's own, which
// runs from Ravo's installation folder.
UpdatePlan planFromSettings(const Environment& env);

// Whether a process runs the program file `program`.
bool programRuns(const QString& program);

// Waits up to `timeoutMs` milliseconds for every process of `program` to end.
bool waitUntilEnded(const QString& program, int timeoutMs);

// What one step of the update says: every line goes to the standard error and the log.
using UpdateReport = std::function<void(const QString&)>;

// Replaces `plan.installed` with `plan.update`: the update must be a whole Ravo program (it
// carries a version and, started with --version, tells the same one), is copied beside the
// installed file with the run bit, and the copy is renamed over it; the update file is removed
// only then. On any failure the installed file stays as it was and false comes back.
bool replaceProgram(const UpdatePlan& plan, const UpdateReport& report);

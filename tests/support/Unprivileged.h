#pragma once
// Runs a piece of a test in a child process that cannot write into `folder`: as root the
// child drops to the unprivileged user "nobody" (root writes anywhere), otherwise the folder
// is made read-only for the child's run. Returns the child's exit code (or -1).
#include <QFile>
#include <QString>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

inline int runWithoutWriteAccess(const QString& folder, const std::function<int()>& body) {
    const auto rwx = QFile::permissions(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QFile::setPermissions(folder, rwx);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#include "app/Environment.h"

#include "platform/Platform.h"

#include <QCoreApplication>

Environment Environment::fromSystem() {
    Environment env;
    env.appFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    env.appDriveType = platform::driveTypeName(env.appFolder);
    env.commonAppDataFolder = platform::commonAppDataFolder();
    return env;
}

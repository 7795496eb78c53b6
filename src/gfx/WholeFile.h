#pragma once
// Writing a file whole: the bytes go to a temporary file beside the target, which takes the
// target's name only once it is complete, so a full disk, a folder that refuses writing or
// a program killed half way leaves the old file as it was and no temporary file behind.
#include <QByteArray>
#include <QString>

#include <optional>

namespace gfx {

// Nothing when the file was written, else why not, as a Finnish sentence for the user.
std::optional<QString> writeWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace gfx

#include "gfx/WholeFile.h"

#include <QSaveFile>

namespace gfx {

std::optional<QString> writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    // Never straight into the target: a half-written target is the one thing to avoid.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("Tiedostoa ei voi kirjoittaa.");
    // A failed write or commit discards the temporary file (the destructor does it for a
    // write that failed before the commit).
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Tiedoston kirjoittaminen epäonnistui.");
    return std::nullopt;
}

} // namespace gfx

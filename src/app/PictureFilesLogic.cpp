#include "app/PictureFilesLogic.h"

#include <QFileInfo>

#include <array>

namespace {

struct ExtensionFormat {
    QLatin1String extension; // upper case, with its point
    gfx::PictureFormat format;
};

// The extensions a saved name may carry and the formats they stand for.
constexpr std::array<ExtensionFormat, 4> kNamedFormats{{
    {QLatin1String(".BMP"), gfx::PictureFormat::Bmp},
    {QLatin1String(".GIF"), gfx::PictureFormat::Gif},
    {QLatin1String(".JPEG"), gfx::PictureFormat::Jpeg},
    {QLatin1String(".JPG"), gfx::PictureFormat::Jpeg},
}};

} // namespace

QString fileExtension(const QString& fileName) {
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype point = fileName.lastIndexOf(u'.');
    return point > slash ? fileName.mid(point) : QString();
}

QString filterExtension(int filterIndex) {
    switch (filterIndex) {
    case 2:
        return QStringLiteral(".gif");
    case 3:
        return QStringLiteral(".jpeg");
    default:
        return QStringLiteral(".bmp");
    }
}

gfx::PictureFormat formatOfExtension(const QString& extension) {
    const QString e = extension.toUpper();
    for (const ExtensionFormat& f : kNamedFormats)
        if (e == f.extension) return f.format;
    return gfx::PictureFormat::Bmp;
}

PictureTarget screenSaveTarget(const QString& chosenName, int filterIndex) {
    const QString t = filterExtension(filterIndex);
    const QString e = fileExtension(chosenName).toUpper();
    if (e.isEmpty()) return {chosenName + t, formatOfExtension(t)};
    gfx::PictureFormat format = formatOfExtension(t);
    for (const ExtensionFormat& f : kNamedFormats)
        if (e == f.extension) format = f.format;
    if (e != QLatin1String(".JPG")) return {chosenName, format};
    // The file name's part before its first point, in the chosen folder.
    const qsizetype slash = std::max(chosenName.lastIndexOf(u'/'), chosenName.lastIndexOf(u'\\'));
    const qsizetype point = chosenName.indexOf(u'.', slash + 1);
    return {chosenName.left(point) + QStringLiteral(".jpeg"), format};
}

PictureTarget cutOutSaveTarget(const QString& chosenName, int filterIndex) {
    const QString e = filterExtension(filterIndex);
    const QString typed = fileExtension(chosenName).toUpper();
    const bool kept = typed.left(3) == e.toUpper().left(3);
    return {kept ? chosenName : chosenName + e, formatOfExtension(e)};
}

std::optional<gfx::PictureFormat> pictureFormatOfContent(const QByteArray& head) {
    if (head.startsWith("BM")) return gfx::PictureFormat::Bmp;
    if (head.startsWith("\xFF\xD8\xFF")) return gfx::PictureFormat::Jpeg;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return gfx::PictureFormat::Gif;
    return std::nullopt;
}

QStringList nameFiltersOf(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description == pattern || description.endsWith(u'(' + pattern + u')'))
            result << description;
        else
            result << description + QStringLiteral(" (") + pattern + u')';
    }
    return result;
}

#include "tools/LibraryLogic.h"

#include "app/MesForm.h"
#include "app/YleOsa.h"

#include <algorithm>
#include <limits>

QPoint defaultSlideTarget(QSize screen, int libraryOuterWidth) {
    return QPoint(screen.width() - libraryOuterWidth - 300, screen.height() / 2 - 100);
}

LibraryRow libraryRow(const QString& name, bool folder) {
    if (folder) return {name, u'D', QString()};
    const qsizetype last = name.lastIndexOf(u'.');
    const QString extension = last < 0 ? QString() : name.mid(last);
    const QChar kind = extension.compare(u".rvo", Qt::CaseInsensitive) == 0 ? u'S' : u'F';
    const qsizetype first = name.indexOf(u'.');
    return {first < 0 ? QString() : name.left(first), kind, extension};
}

QString libraryRowPath(const QString& folder, const LibraryRow& row) {
    return folder + row.caption + row.extension;
}

namespace {

// Only a..z fold to upper case, as the comparison of the library's captions has it.
char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

bool isSeparator(QChar c) {
    return c == u'\\' || c == u'/';
}

// A run of ASCII digits after an optional minus sign, within the int range.
std::optional<int> wholeNumber(QStringView text, bool signAllowed) {
    const bool negative = signAllowed && text.startsWith(u'-');
    if (negative) text = text.mid(1);
    if (text.isEmpty()) return std::nullopt;
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > (long long)std::numeric_limits<int>::max() + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return int(value);
}

// The text before the first '~' of at most the 50 characters after `from`, and where the
// next field begins; a field without its '~' is not there.
std::optional<QStringView> designField(QStringView line, qsizetype& from) {
    const QStringView rest = line.mid(from, 50);
    const qsizetype tilde = rest.indexOf(u'~');
    if (tilde < 0) return std::nullopt;
    from += tilde + 1;
    return rest.left(tilde);
}

} // namespace

int FileListCompare(const LibraryRow& Item1, const LibraryRow& Item2) {
    const bool folder1 = Item1.kind == u'D';
    const bool folder2 = Item2.kind == u'D';
    if (folder1 != folder2) return folder1 ? -1 : 1;
    const QString& a = Item1.caption;
    const QString& b = Item2.caption;
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(upperAscii(a[i])) - int(upperAscii(b[i]));
        if (d != 0) return d;
    }
    return int(a.size() - b.size());
}

QString GetUpperFolder(const QString& aFolder) {
    // The walk back from the end as the library has always made it: each step notes the
    // character just before the end of the result so far, then shortens the result.
    QString result = aFolder;
    for (qsizetype n = aFolder.size(); n >= 1; --n) {
        const qsizetype at = result.size() - 2; // position (length - 1), counted from 1
        const bool separator = at >= 0 && isSeparator(aFolder[at]);
        result = aFolder.left(n);
        if (separator) break;
    }
    return result;
}

Slide slideStart(int screenWidth, int Xanipos) {
    const long long distance =
        std::clamp((long long)screenWidth - Xanipos, (long long)std::numeric_limits<int>::min(),
                   (long long)std::numeric_limits<int>::max());
    return {int(distance), roundHalfEven(distance / 50.0)};
}

int slideStep(Slide& slide, int Xanipos) {
    if (slide.Delta <= 0)
        slide.Distance = 0;
    else
        slide.Distance -= slide.Delta;
    const long long left = (long long)Xanipos + slide.Distance;
    return left < Xanipos ? Xanipos
                          : int(std::min<long long>(left, std::numeric_limits<int>::max()));
}

int slideWait(int Speed) {
    return Speed < 100 ? 20 - roundHalfEven(Speed / 5.0) : 0;
}

QString toolRowName(const QString& caption) {
    const qsizetype slash = std::max(caption.lastIndexOf(u'/'), caption.lastIndexOf(u'\\'));
    const QString file = caption.mid(slash + 1);
    const qsizetype point = file.indexOf(u'.');
    return point < 0 ? QString() : file.left(point);
}

QString toolRow(const QString& caption, int id, int left, int top, int opacity) {
    QString row = PadRight(toolRowName(caption), ToolRowNameWidth);
    for (int n : {id, left, top, opacity})
        row += PadRight(QString::number(n), ToolRowFieldWidth);
    return row;
}

std::optional<int> toolRowId(const QString& row) {
    return wholeNumber(CompactSpaces(row.mid(ToolRowNameWidth, ToolRowFieldWidth)).trimmed(), true);
}

QString designHeader(QSize screen) {
    return QStringLiteral("%1~%2~").arg(screen.width()).arg(screen.height());
}

QString designLine(const QString& picture, int left, int top, int opacity) {
    // One pass: a picture name with "%2" in it must not take the next number.
    return QStringLiteral("%1~%2~%3~%4~")
        .arg(picture, QString::number(left), QString::number(top), QString::number(opacity));
}

QString designPicture(const QString& caption, const QString& toolsFolder) {
    return caption.endsWith(u'.') ? toolsFolder + caption + QStringLiteral("bmp") : caption;
}

DesignTool readDesignLine(QStringView line) {
    DesignTool tool;
    const qsizetype tilde = line.indexOf(u'~');
    if (tilde < 0) return tool;
    tool.picture = line.left(tilde).toString();
    qsizetype from = tilde + 1;
    std::optional<int>* numbers[] = {&tool.Left, &tool.Top, &tool.opacity};
    for (int i = 0; i < 3; ++i) {
        const auto field = designField(line, from);
        if (!field) break;
        *numbers[i] = wholeNumber(*field, i < 2);
    }
    if (tool.opacity) tool.opacity = std::min(*tool.opacity, 255);
    return tool;
}

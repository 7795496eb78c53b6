#include "tools/DesignFile.h"

#include "app/Errors.h"
#include "gfx/WholeFile.h"

#include <QFile>
#include <QStringConverter>

namespace {

bool fitsLatin1(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}

// Qt's UTF-16 and UTF-32 decoders pass a lone surrogate through, which no file encoding can
// hold: it becomes U+FFFD, as a bad UTF-8 sequence does, so that a design read and written
// back keeps its lines as they were read.
void replaceLoneSurrogates(QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

} // namespace

QByteArray encodeDesign(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    if (fitsLatin1(text)) return text.toLatin1();
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QStringList decodeDesign(const QByteArray& bytes) {
    const auto marked = QStringConverter::encodingForData(bytes);
    QString text;
    if (marked) {
        // The mark is kept by the decoder and taken off here, once: a U+FEFF right after it
        // is a character of the first line.
        QStringDecoder decode(*marked, QStringDecoder::Flag::Stateless |
                                           QStringDecoder::Flag::ConvertInitialBom);
        text = decode(bytes);
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        replaceLoneSurrogates(text);
    } else {
        text = QString::fromLatin1(bytes);
    }
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    return lines;
}

void writeDesignFile(const QString& path, const QStringList& lines) {
    if (const auto failure = gfx::writeWholeFile(path, encodeDesign(lines)))
        throw RavoError(QStringLiteral("Sommitelmaa ei voi tallentaa: %1\n%2").arg(path, *failure));
}

QStringList readDesignFile(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        throw RavoError(
            QStringLiteral("Sommitelmaa ei voi lukea: %1\n%2").arg(path, in.errorString()));
    return decodeDesign(in.readAll());
}

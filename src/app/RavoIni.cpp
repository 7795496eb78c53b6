#include "app/RavoIni.h"

#include "app/Errors.h"
#include "gfx/WholeFile.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <QFile>
#include <QStringDecoder>

struct RavoIni::Data {
    QString fileName;
    CSimpleIniA ini{false, false, false}; // not UTF-8 aware: bytes are kept as they are
};

RavoIni::RavoIni() : d(std::make_unique<Data>()) {}

RavoIni::RavoIni(const QString& fileName) : RavoIni() {
    d->fileName = fileName;
    QFile f(fileName);
    if (f.open(QIODevice::ReadOnly)) load(f.readAll());
}

RavoIni RavoIni::fromBytes(const QByteArray& bytes, const QString& fileName) {
    RavoIni ini;
    ini.d->fileName = fileName;
    ini.load(bytes);
    return ini;
}

RavoIni::RavoIni(RavoIni&&) noexcept = default;
RavoIni::~RavoIni() = default;

void RavoIni::load(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    d->ini.LoadData(bytes.constData(), size_t(bytes.size()));
}

QString RavoIni::readString(const char* section, const char* key, const QString& def) const {
    const char* v = d->ini.GetValue(section, key, nullptr);
    if (!v) return def;
    const QByteArray bytes(v);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

int RavoIni::readInteger(const char* section, const char* key, int def) const {
    const char* v = d->ini.GetValue(section, key, nullptr);
    if (!v) return def;
    return parseInteger(QString::fromLatin1(v)).value_or(def);
}

void RavoIni::writeString(const char* section, const char* key, const QString& value) {
    d->ini.SetValue(section, key, value.toUtf8().constData());
}

void RavoIni::writeInteger(const char* section, const char* key, int value) {
    writeString(section, key, QString::number(value));
}

void RavoIni::save() const {
    std::string text;
    d->ini.Save(text);
    if (const auto failure =
            gfx::writeWholeFile(d->fileName, QByteArray(text.data(), qsizetype(text.size()))))
        throw RavoError(
            QStringLiteral("Tiedostoon %1 ei voi kirjoittaa: %2").arg(d->fileName, *failure));
}

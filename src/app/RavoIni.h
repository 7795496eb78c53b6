#pragma once
// The settings file "Ravo.ini": sections and keys matched without regard to case, other
// keys and their order kept when it is written back.
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class RavoIni {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit RavoIni(const QString& fileName);
    // The settings that the bytes of a file named `fileName` hold; nothing is read.
    static RavoIni fromBytes(const QByteArray& bytes, const QString& fileName = QString());
    RavoIni(RavoIni&&) noexcept;
    ~RavoIni();

    // The value as text: UTF-8 when the bytes are UTF-8, else Latin-1.
    QString readString(const char* section, const char* key, const QString& def) const;
    // A decimal value, or hexadecimal after "0x" or "$"; anything else gives `def`.
    int readInteger(const char* section, const char* key, int def) const;

    void writeString(const char* section, const char* key, const QString& value);
    void writeInteger(const char* section, const char* key, int value);

    // Writes the whole file to a temporary file beside it and renames that over it, so a
    // failure leaves the old file whole. Throws RavoError naming the file.
    void save() const;

private:
    RavoIni();
    void load(QByteArray bytes);

    struct Data;
    std::unique_ptr<Data> d;
};

#pragma once
// Unexpected failures are exceptions; the application's event dispatch shows their text in
// the general error report and the program goes on.
#include <QString>

#include <optional>
#include <stdexcept>

class RavoError : public std::runtime_error {
public:
    explicit RavoError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// A whole number written in decimal, or in hexadecimal after "0x" or "$"; blanks around
// it are allowed. Anything else, or a value outside the int range, gives nothing.
std::optional<int> parseInteger(QStringView text);

// The same, throwing the conversion error the user sees for a number that is not one.
int StrToInt(const QString& text);

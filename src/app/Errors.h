#pragma once
// Unexpected failures are exceptions; they are shown in the general error report and the
// program goes on.
#include <QString>

#include <exception>

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

// Shows the text of the exception being handled in the general error report.
void reportCurrentException();

// Runs `action` and reports what it throws. Qt's widgets are built without exceptions, so an
// exception that unwinds through their frames skips their clean-up (the event copies, the
// guards, the state after a click); the handlers Qt calls catch theirs at their own door.
template <class Action> void reportingErrors(Action&& action) noexcept {
    try {
        action();
    } catch (...) {
        reportCurrentException();
    }
}

// A handler for `connect` that calls `handler` on `receiver` under reportingErrors.
template <class Receiver, class... Args>
auto reporting(Receiver* receiver, void (Receiver::*handler)(Args...)) {
    return [receiver, handler](Args... args) {
        reportingErrors([&] { (receiver->*handler)(args...); });
    };
}

#pragma once
// The error type the application's handlers throw; its text, like that of
// any other exception, is what the standard error report shows to the user.

#include <QString>
#include <exception>
#include <stdexcept>

namespace tk {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// What an exception says: our own error's message as written, any other's
// what() in the local encoding.
inline QString exceptionText(const std::exception& e)
{
    if (const auto* error = dynamic_cast<const Error*>(&e))
        return error->message();
    return QString::fromLocal8Bit(e.what());
}

}

#pragma once
// The error type the application's handlers throw; its text is what the
// standard error report shows to the user.

#include <QString>
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

}

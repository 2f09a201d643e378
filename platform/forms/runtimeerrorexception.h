#pragma once

#include <QString>

#include <stdexcept>

namespace qxm {

// A run-time error inside an event handler: a platform operation that failed
// or arithmetic that overflowed. It ends the running event handler where
// it happened, with the steps before it done, and the window tells the user;
// it never ends the program.
class RunTimeErrorException : public std::runtime_error
{
public:
    explicit RunTimeErrorException(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace qxm

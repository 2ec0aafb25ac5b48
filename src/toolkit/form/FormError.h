#pragma once
// A fault in a form description, located at the line and column where the
// text goes wrong so that whoever edits the description can find it.

#include "toolkit/app/Error.h"

#include <QString>

namespace tk {

class FormError : public Error {
public:
    FormError(const QString& source, int line, int column, const QString& what)
        : Error(QStringLiteral("%1:%2:%3: %4").arg(source).arg(line).arg(column).arg(what))
        , m_source(source)
        , m_line(line)
        , m_column(column)
        , m_what(what)
    {
    }

    const QString& source() const { return m_source; }
    int line() const { return m_line; }
    int column() const { return m_column; }
    // The complaint alone, without the location.
    const QString& description() const { return m_what; }

private:
    QString m_source;
    int m_line;
    int m_column;
    QString m_what;
};

}

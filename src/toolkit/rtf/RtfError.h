#pragma once
// A fault in a rich-text (RTF) document, located at the line and column of the
// source text where it goes wrong, so that whoever wrote the text can find it.

#include "toolkit/app/Error.h"

#include <QString>

namespace tk {

class RtfError : public Error {
public:
    RtfError(int line, int column, const QString& what)
        : Error(QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(what))
        , m_line(line)
        , m_column(column)
        , m_what(what)
    {
    }

    int line() const { return m_line; }
    int column() const { return m_column; }
    // The complaint alone, without the location.
    const QString& description() const { return m_what; }

private:
    int m_line;
    int m_column;
    QString m_what;
};

}

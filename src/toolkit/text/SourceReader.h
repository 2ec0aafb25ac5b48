#pragma once
// Walks a source text one character at a time and knows the line and column
// it stands on, for the lexers that report errors with positions.

#include "toolkit/text/CharacterClasses.h"

#include <QString>
#include <QStringView>
#include <limits>
#include <optional>

namespace tk {

class SourceReader {
public:
    explicit SourceReader(const QString& text)
        : m_text(text)
    {
    }

    const QString& text() const { return m_text; }
    qsizetype position() const { return m_pos; }
    int line() const { return m_line; }
    int column() const { return m_column; }
    bool atEnd() const { return m_pos >= m_text.size(); }

    QChar peek(qsizetype ahead = 0) const
    {
        const qsizetype at = m_pos + ahead;
        return at < m_text.size() ? m_text.at(at) : QChar();
    }

    // The text from start up to where the reader stands.
    QStringView since(qsizetype start) const { return QStringView(m_text).mid(start, m_pos - start); }

    // Steps over one character. CR LF, a lone LF and a lone CR each end one
    // line; a character outside the basic plane is one column, not two.
    void advance()
    {
        if (atEnd())
            return;
        const QChar c = m_text.at(m_pos++);
        if (c == u'\n' || (c == u'\r' && peek() != u'\n')) {
            ++m_line;
            m_column = 1;
            return;
        }
        if (c == u'\r')
            return;
        if (c.isHighSurrogate() && !atEnd() && m_text.at(m_pos).isLowSurrogate())
            ++m_pos;
        ++m_column;
    }

    // Reads an optional '-' and the run of decimal digits after it, standing
    // at the first; nothing when the number does not fit in an int.
    std::optional<int> readInteger()
    {
        const bool negative = peek() == u'-';
        if (negative)
            advance();
        // The whole run is read however long it is; the value stops
        // growing once it is past every int, so it cannot overflow itself.
        constexpr qint64 beyond = qint64(std::numeric_limits<int>::max()) + 1;
        qint64 magnitude = 0;
        while (!atEnd() && isDigit(peek())) {
            if (magnitude <= beyond)
                magnitude = magnitude * 10 + (peek().unicode() - u'0');
            advance();
        }
        const qint64 value = negative ? -magnitude : magnitude;
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            return std::nullopt;
        return int(value);
    }

    // Steps over one code unit whatever it is, for raw data in which half a
    // surrogate pair stays half.
    void advanceUnit()
    {
        if (atEnd())
            return;
        if (m_text.at(m_pos).isHighSurrogate()) {
            ++m_pos;
            ++m_column;
        } else {
            advance();
        }
    }

private:
    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_column = 1;
};

}

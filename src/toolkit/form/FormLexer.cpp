#include "toolkit/form/FormLexer.h"

#include "toolkit/form/FormError.h"
#include "toolkit/text/CharacterClasses.h"

namespace tk {
namespace {

    bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

    QString shown(QChar c)
    {
        if (c.isPrint())
            return QStringLiteral("'%1'").arg(c);
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }

}

FormLexer::FormLexer(const QString& text, const QString& sourcePath)
    : m_reader(text)
    , m_source(sourcePath)
{
}

void FormLexer::fail(int line, int column, const QString& what) const
{
    throw FormError(m_source, line, column, what);
}

// A '#' right after a colon followed by a letter or digit is a colour; any
// other '#' starts a comment, so "# note" after a value stays a comment.
bool FormLexer::colourFollows() const
{
    return m_previous == Kind::Colon && peek() == u'#' && isIdentifierPart(peek(1));
}

bool FormLexer::skipBlanksAndComments()
{
    bool skipped = false;
    while (!atEnd()) {
        if (isBlank(peek())) {
            advance();
        } else if (peek() == u'#' && !colourFollows()) {
            while (!atEnd() && peek() != u'\n')
                advance();
        } else {
            break;
        }
        skipped = true;
    }
    return skipped;
}

FormLexer::Token FormLexer::next()
{
    Token token;
    token.spaced = skipBlanksAndComments() || m_reader.position() == 0;
    token.line = m_reader.line();
    token.column = m_reader.column();
    if (atEnd()) {
        m_previous = Kind::End;
        return token;
    }

    const QChar c = peek();
    if (isIdentifierStart(c)) {
        token = identifier(token);
    } else if (isDigit(c) || (c == u'-' && isDigit(peek(1)))) {
        token = integer(token);
    } else if (c == u'"') {
        token = string(token);
    } else if (c == u'#') {
        token = colour(token);
    } else {
        switch (c.unicode()) {
        case u'@':
            token.kind = Kind::At;
            break;
        case u'{':
            token.kind = Kind::LeftBrace;
            break;
        case u'}':
            token.kind = Kind::RightBrace;
            break;
        case u'[':
            token.kind = Kind::LeftBracket;
            break;
        case u']':
            token.kind = Kind::RightBracket;
            break;
        case u'(':
            token.kind = Kind::LeftParen;
            break;
        case u')':
            token.kind = Kind::RightParen;
            break;
        case u':':
            token.kind = Kind::Colon;
            break;
        case u'.':
            token.kind = Kind::Dot;
            break;
        case u',':
            token.kind = Kind::Comma;
            break;
        default:
            fail(token.line, token.column, QStringLiteral("unexpected character %1").arg(shown(c)));
        }
        token.text = c;
        advance();
    }
    m_previous = token.kind;
    return token;
}

FormLexer::Token FormLexer::identifier(Token token)
{
    token.kind = Kind::Identifier;
    while (!atEnd() && isIdentifierPart(peek())) {
        token.text += peek();
        advance();
    }
    return token;
}

FormLexer::Token FormLexer::integer(Token token)
{
    token.kind = Kind::Integer;
    const qsizetype start = m_reader.position();
    const std::optional<int> value = m_reader.readInteger();
    token.text = m_reader.since(start).toString();
    if (!atEnd() && isIdentifierPart(peek()))
        fail(token.line, token.column, QStringLiteral("malformed number %1%2").arg(token.text, peek()));
    if (!value)
        fail(token.line, token.column, QStringLiteral("integer %1 is out of range").arg(token.text));
    token.integer = *value;
    return token;
}

FormLexer::Token FormLexer::string(Token token)
{
    token.kind = Kind::String;
    advance();
    for (;;) {
        if (atEnd() || peek() == u'\n')
            fail(token.line, token.column, QStringLiteral("unterminated string"));
        const QChar c = peek();
        if (c == u'"') {
            advance();
            return token;
        }
        if (c != u'\\') {
            token.text += c;
            advance();
            continue;
        }
        const int escapeLine = m_reader.line();
        const int escapeColumn = m_reader.column();
        advance();
        const QChar e = peek();
        switch (e.unicode()) {
        case u'"':
            token.text += u'"';
            break;
        case u'\\':
            token.text += u'\\';
            break;
        case u'n':
            token.text += u'\n';
            break;
        case u't':
            token.text += u'\t';
            break;
        case u'u': {
            ushort code = 0;
            for (int i = 1; i <= 4; ++i) {
                const int digit = hexValue(peek(i));
                if (digit < 0)
                    fail(escapeLine, escapeColumn, QStringLiteral("\\u needs four hexadecimal digits"));
                code = ushort(code * 16 + digit);
            }
            token.text += QChar(code);
            for (int i = 0; i < 4; ++i)
                advance();
            break;
        }
        default:
            if (atEnd() || e == u'\n')
                fail(token.line, token.column, QStringLiteral("unterminated string"));
            fail(escapeLine, escapeColumn, QStringLiteral("unknown escape \\%1").arg(e));
        }
        advance();
    }
}

FormLexer::Token FormLexer::colour(Token token)
{
    token.kind = Kind::Color;
    token.text = QStringLiteral("#");
    advance();
    while (!atEnd() && isIdentifierPart(peek())) {
        token.text += peek();
        advance();
    }
    bool hex = token.text.size() == 7;
    for (qsizetype i = 1; hex && i < token.text.size(); ++i)
        hex = isHexDigit(token.text.at(i));
    if (!hex)
        fail(token.line, token.column, QStringLiteral("malformed colour %1: #RRGGBB expected").arg(token.text));
    token.text = token.text.toUpper();
    return token;
}

QString FormLexer::describe(const Token& token)
{
    switch (token.kind) {
    case Kind::End:
        return QStringLiteral("the end of the description");
    case Kind::String:
        return QStringLiteral("a string");
    default:
        return QStringLiteral("'%1'").arg(token.text);
    }
}

}

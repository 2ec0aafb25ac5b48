#include "toolkit/rtf/RtfLexer.h"

#include "toolkit/rtf/RtfError.h"
#include "toolkit/text/CharacterClasses.h"

namespace tk {
namespace {

    bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }

}

RtfLexer::RtfLexer(const QString& text)
    : m_reader(text)
{
}

void RtfLexer::skipLineBreaks()
{
    while (!atEnd() && isLineBreak(peek()))
        advance();
}

RtfLexer::Token RtfLexer::next()
{
    if (m_binaryLength > 0)
        return binary();

    skipLineBreaks();
    Token token;
    token.line = m_reader.line();
    token.column = m_reader.column();
    if (atEnd())
        return token;

    switch (peek().unicode()) {
    case u'{':
        token.kind = Kind::GroupOpen;
        token.text = QStringLiteral("{");
        advance();
        return token;
    case u'}':
        token.kind = Kind::GroupClose;
        token.text = QStringLiteral("}");
        advance();
        return token;
    case u'\\':
        advance();
        if (atEnd())
            throw RtfError(token.line, token.column, QStringLiteral("backslash at the end of the text"));
        return isAsciiLetter(peek()) ? controlWord(token) : controlSymbol(token);
    default:
        return text(token);
    }
}

RtfLexer::Token RtfLexer::controlWord(Token token)
{
    token.kind = Kind::ControlWord;
    while (!atEnd() && isAsciiLetter(peek())) {
        token.text += peek();
        advance();
    }

    const bool negative = peek() == u'-' && isDigit(peek(1));
    if (negative || isDigit(peek())) {
        const std::optional<int> value = m_reader.readInteger();
        if (!value)
            throw RtfError(token.line, token.column, QStringLiteral("the parameter of \\%1 is out of range").arg(token.text));
        token.parameter = *value;
        token.hasParameter = true;
    }

    if (peek() == u' ') {
        token.spaceDelimited = true;
        advance();
    }

    if (token.text == u"bin" && token.parameter > 0) {
        if (m_reader.text().size() - m_reader.position() < token.parameter)
            throw RtfError(token.line, token.column, QStringLiteral("\\bin data runs past the end of the text"));
        m_binaryLength = token.parameter;
    }
    return token;
}

RtfLexer::Token RtfLexer::controlSymbol(Token token)
{
    token.kind = Kind::ControlSymbol;
    token.text = peek();
    if (peek().isHighSurrogate() && peek(1).isLowSurrogate())
        token.text += peek(1);
    advance();
    if (token.text != u"'")
        return token;

    const int high = hexValue(peek());
    const int low = hexValue(peek(1));
    if (high < 0 || low < 0)
        throw RtfError(token.line, token.column, QStringLiteral("\\' must be followed by two hex digits"));
    advance();
    advance();
    token.parameter = high * 16 + low;
    token.hasParameter = true;
    return token;
}

// A run of plain text goes on across line breaks, which are dropped.
RtfLexer::Token RtfLexer::text(Token token)
{
    token.kind = Kind::Text;
    while (!atEnd()) {
        const QChar c = peek();
        if (c == u'{' || c == u'}' || c == u'\\')
            break;
        const qsizetype start = m_reader.position();
        advance();
        if (!isLineBreak(c))
            token.text += m_reader.since(start);
    }
    return token;
}

// Binary data is taken as it stands: line breaks and braces belong to it.
RtfLexer::Token RtfLexer::binary()
{
    Token token;
    token.kind = Kind::Binary;
    token.line = m_reader.line();
    token.column = m_reader.column();
    token.text = m_reader.text().mid(m_reader.position(), m_binaryLength);
    const qsizetype end = m_reader.position() + m_binaryLength;
    while (m_reader.position() < end)
        m_reader.advanceUnit();
    m_binaryLength = 0;
    return token;
}

}

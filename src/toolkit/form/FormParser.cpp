#include "toolkit/form/FormParser.h"

#include "toolkit/form/FormError.h"

namespace tk {

using Kind = FormLexer::Kind;

FormParser::FormParser(const QString& text, const QString& sourcePath)
    : m_lexer(text, sourcePath)
    , m_source(sourcePath)
{
}

void FormParser::advance()
{
    m_token = m_lexer.next();
}

void FormParser::fail(const FormLexer::Token& at, const QString& what) const
{
    throw FormError(m_source, at.line, at.column, what);
}

FormLexer::Token FormParser::expect(Kind kind, const QString& wanted)
{
    if (m_token.kind != kind)
        fail(m_token, QStringLiteral("%1 expected, found %2").arg(wanted, FormLexer::describe(m_token)));
    FormLexer::Token token = m_token;
    advance();
    return token;
}

FormParser::Object FormParser::parse()
{
    advance();
    Object root = parseObject(1);
    if (m_token.kind != Kind::End)
        fail(m_token, QStringLiteral("%1 after the end of %2").arg(FormLexer::describe(m_token), root.name));
    return root;
}

FormParser::Object FormParser::parseObject(int depth)
{
    Object object;
    const FormLexer::Token at = expect(Kind::At, QStringLiteral("'@' beginning an object"));
    if (depth > MaxDepth)
        fail(at, QStringLiteral("objects nest more than %1 deep").arg(MaxDepth));
    object.line = at.line;
    object.column = at.column;
    const FormLexer::Token className = expect(Kind::Identifier, QStringLiteral("a class name after '@'"));
    object.className = className.text;
    object.classLine = className.line;
    object.classColumn = className.column;
    const FormLexer::Token name = expect(Kind::Identifier, QStringLiteral("a component name after the class name"));
    object.name = name.text;
    object.nameLine = name.line;
    object.nameColumn = name.column;
    expect(Kind::LeftBrace, QStringLiteral("'{' after %1").arg(object.name));

    bool afterValue = false;
    for (;;) {
        switch (m_token.kind) {
        case Kind::Identifier:
        case Kind::At:
            // "Left: 5Top: 6" or "Caption: "x"Left: 5" is a typo, not two properties.
            if (afterValue && !m_token.spaced)
                fail(m_token, QStringLiteral("a blank or a line break must separate %1 from the value before it").arg(FormLexer::describe(m_token)));
            afterValue = m_token.kind == Kind::Identifier;
            if (afterValue)
                object.members.emplace_back(parseProperty());
            else
                object.members.emplace_back(parseObject(depth + 1));
            break;
        case Kind::RightBrace:
            advance();
            return object;
        case Kind::End:
            fail(m_token, QStringLiteral("'}' expected to close %1 (opened at %2:%3), found the end of the description").arg(object.name).arg(object.line).arg(object.column));
        default:
            fail(m_token, QStringLiteral("a property, an object or '}' expected, found %1").arg(FormLexer::describe(m_token)));
        }
    }
}

FormParser::Property FormParser::parseProperty()
{
    Property property;
    property.line = m_token.line;
    property.column = m_token.column;
    property.name = m_token.text;
    advance();
    if (m_token.kind == Kind::Dot) {
        if (m_token.spaced)
            fail(m_token, QStringLiteral("no blank may stand before the '.' of a dotted name"));
        advance();
        if (m_token.kind != Kind::Identifier || m_token.spaced)
            fail(m_token, QStringLiteral("a name expected right after '%1.'").arg(property.name));
        property.name += u'.' + m_token.text;
        advance();
    }
    expect(Kind::Colon, QStringLiteral("':' after %1").arg(property.name));
    property.value = parseValue(property.name);
    return property;
}

FormParser::Value FormParser::parseValue(const QString& property)
{
    Value value;
    value.line = m_token.line;
    value.column = m_token.column;
    switch (m_token.kind) {
    case Kind::Integer:
        value.kind = Value::Kind::Integer;
        value.integer = m_token.integer;
        break;
    case Kind::String:
        value.kind = Value::Kind::String;
        value.text = m_token.text;
        break;
    case Kind::Color:
        value.kind = Value::Kind::Color;
        value.text = m_token.text;
        break;
    case Kind::LeftBracket:
        return parseList();
    case Kind::Identifier:
        if (m_token.text == u"true" || m_token.text == u"false") {
            value.kind = Value::Kind::Boolean;
            value.boolean = m_token.text == u"true";
            break;
        }
        value.kind = Value::Kind::Identifier;
        value.text = m_token.text;
        advance();
        if (value.text == u"image" && m_token.kind == Kind::LeftParen) {
            advance();
            value.kind = Value::Kind::Image;
            value.text = expect(Kind::String, QStringLiteral("a quoted path in image()")).text;
            expect(Kind::RightParen, QStringLiteral("')' after the image path"));
        }
        return value;
    default:
        fail(m_token, QStringLiteral("a value for %1 expected, found %2").arg(property, FormLexer::describe(m_token)));
    }
    advance();
    return value;
}

FormParser::Value FormParser::parseList()
{
    Value list;
    list.kind = Value::Kind::List;
    list.line = m_token.line;
    list.column = m_token.column;
    advance();
    while (m_token.kind != Kind::RightBracket) {
        if (m_token.kind != Kind::Identifier && m_token.kind != Kind::String)
            fail(m_token, QStringLiteral("an identifier or a string expected in the list, found %1").arg(FormLexer::describe(m_token)));
        Value item;
        item.kind = m_token.kind == Kind::String ? Value::Kind::String : Value::Kind::Identifier;
        item.line = m_token.line;
        item.column = m_token.column;
        item.text = m_token.text;
        if (!list.items.empty() && list.items.front().kind != item.kind)
            fail(m_token, QStringLiteral("a list holds only identifiers or only strings"));
        list.items.push_back(item);
        advance();
        if (m_token.kind == Kind::Comma)
            advance();
        else if (m_token.kind != Kind::RightBracket)
            fail(m_token, QStringLiteral("',' or ']' expected in the list, found %1").arg(FormLexer::describe(m_token)));
    }
    advance();
    return list;
}

}

#pragma once
// Splits a form description into tokens, each remembering the line and
// column where it starts so that every later complaint can point at the text.

#include "toolkit/text/SourceReader.h"

#include <QString>

namespace tk {

class FormLexer {
public:
    enum class Kind {
        End,
        At,
        LeftBrace,
        RightBrace,
        LeftBracket,
        RightBracket,
        LeftParen,
        RightParen,
        Colon,
        Dot,
        Comma,
        Identifier,
        Integer,
        String,
        Color,
    };

    struct Token {
        Kind kind = Kind::End;
        // An identifier's name, a string's content with its escapes resolved,
        // a colour as "#RRGGBB", an integer as written.
        QString text;
        int integer = 0;
        int line = 1;
        int column = 1;
        // Whether blanks, a line break or a comment come before the token (or
        // it starts the text): the parser needs that to keep properties apart.
        bool spaced = false;
    };

    FormLexer(const QString& text, const QString& sourcePath);

    // The next token; Kind::End at the end of the text, again and again.
    // Throws FormError at the first character that makes no token.
    Token next();

    // How a message names the token: "'{'", "'Caption'", "a string".
    static QString describe(const Token& token);

private:
    bool atEnd() const { return m_reader.atEnd(); }
    QChar peek(int ahead = 0) const { return m_reader.peek(ahead); }
    void advance() { m_reader.advance(); }
    bool skipBlanksAndComments();
    bool colourFollows() const;
    Token identifier(Token token);
    Token integer(Token token);
    Token string(Token token);
    Token colour(Token token);
    [[noreturn]] void fail(int line, int column, const QString& what) const;

    SourceReader m_reader;
    QString m_source;
    Kind m_previous = Kind::End;
};

}

#pragma once
// Splits rich text (RTF) into its tokens: group braces, control words,
// control symbols, binary data and runs of plain text. Each token remembers
// the line and column where it starts. Carriage returns and line feeds in the
// source are not part of the text and are dropped, as RTF requires.

#include "toolkit/text/SourceReader.h"

#include <QString>

namespace tk {

class RtfLexer {
public:
    enum class Kind {
        End,
        GroupOpen, // {
        GroupClose, // }
        ControlWord, // \fs24, \b, \u-3913
        ControlSymbol, // \\ \{ \} \~ \- \_ \* \'hh, and a backslash before a line break
        Binary, // the raw characters that follow \binN
        Text,
    };

    struct Token {
        Kind kind = Kind::End;
        // A control word's name without the backslash ("fs"); a control
        // symbol's character ("~", "'", "\n"); the characters of a text run
        // or of binary data.
        QString text;
        // A control word's numeric parameter; for \'hh the byte value.
        int parameter = 0;
        bool hasParameter = false;
        // Whether a blank ended the control word and was swallowed with it.
        bool spaceDelimited = false;
        int line = 1;
        int column = 1;
    };

    explicit RtfLexer(const QString& text);

    // The next token; Kind::End at the end of the text, again and again.
    // Throws RtfError at a backslash that ends the text, a \' without two hex
    // digits, a parameter that does not fit 32 bits, and \bin data that runs
    // past the end.
    Token next();

private:
    bool atEnd() const { return m_reader.atEnd(); }
    QChar peek(qsizetype ahead = 0) const { return m_reader.peek(ahead); }
    void advance() { m_reader.advance(); }
    void skipLineBreaks();
    Token controlWord(Token token);
    Token controlSymbol(Token token);
    Token text(Token token);
    Token binary();

    SourceReader m_reader;
    // Characters of \bin data still to deliver as one Binary token.
    qsizetype m_binaryLength = 0;
};

}

#pragma once
// Reads rich text (RTF) into a QTextDocument for a read-only rich-text box:
// character formatting (bold, italic, underline, strike-out, size, colour and
// font from the document's tables), paragraphs, line breaks, tabs, special
// characters, \'hh bytes in code page 1252 and \uN characters.
//
// Usage: tk::RtfReader::read(rtf, document) replaces the document's content.
//
// Destinations that hold no visible text (\fonttbl, \colortbl, \stylesheet,
// \info, pictures, headers and footers, and every {\* ...} group) are read or
// skipped, never shown; unknown control words are ignored, as RTF requires.
// A paragraph mark ends its paragraph, so text ending in \par has no empty
// paragraph after it. \'hh bytes are decoded in code page 1252 whatever
// \ansicpg says. Anything after the group that closes the document may only
// be blanks. Sizes beyond 1638 points are 1638 points. A run of more than 128
// characters with nowhere to break a line gets an invisible break opportunity
// (U+200B) within every 128, so that laying the text out stays linear in its
// length.
//
// The whole text is checked before the document is touched, so on malformed
// input (no "{\rtf" at the start, unbalanced braces, a backslash at the end,
// a bad \'hh) read() throws RtfError naming the line and column and leaves
// the document as it was.

#include "toolkit/rtf/RtfLexer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <optional>

class QTextDocument;

namespace tk {

class RtfReader {
public:
    static void read(const QString& rtf, QTextDocument& document);

private:
    enum class Destination { Text,
        FontTable,
        ColorTable,
        Skipped };

    // What a group inherits from the one around it and gets back when it
    // closes.
    struct State {
        Destination destination = Destination::Text;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        int halfPoints = 24;
        int color = -1; // index into the colour table; -1 is the default colour
        int font = -1; // index into the font table; -1 is the \deff font
        int unicodeSkip = 1; // \ucN: characters that stand in for each \uN
        Qt::Alignment alignment = Qt::AlignLeft;

        // \plain: the character formatting back to its defaults, the
        // destination and the paragraph as they are.
        void plain()
        {
            const State defaults;
            bold = defaults.bold;
            italic = defaults.italic;
            underline = defaults.underline;
            strikeOut = defaults.strikeOut;
            halfPoints = defaults.halfPoints;
            color = defaults.color;
            font = defaults.font;
        }
    };
    using StateChange = void (*)(State& state, const RtfLexer::Token& token);

    // 1638 points, the largest type a word processor sets.
    static constexpr int LargestHalfPoints = 3276;
    // The longest run of characters without a place to break a line.
    static constexpr int LongestUnbrokenRun = 128;

    explicit RtfReader(QTextDocument& document);
    static QList<RtfLexer::Token> checkedTokens(const QString& rtf);
    void interpret(const QList<RtfLexer::Token>& tokens);

    void openGroup();
    void closeGroup();
    void controlWord(const RtfLexer::Token& token);
    bool destinationWord(const QString& word);
    bool documentWord(const RtfLexer::Token& token);
    void colorTableWord(const RtfLexer::Token& token);
    void textWord(const RtfLexer::Token& token);
    static const QHash<QString, StateChange>& stateWords();
    void controlSymbol(const RtfLexer::Token& token);
    void text(QString text);
    void character(const QString& text);
    bool skipFallback();

    void fontTableText(const QString& text);
    void colorTableText(const QString& text);

    void put(const QString& text);
    void breakRun();
    void endParagraph();
    void startParagraphIfPending();
    void flush();
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    QTextCursor m_cursor;
    QList<State> m_stack;
    State m_state;

    int m_defaultFont = -1;
    QMap<int, QString> m_fonts;
    int m_tableFont = -1; // the font table entry being read
    QString m_fontName;
    QList<std::optional<QColor>> m_colors; // an empty entry is the default colour
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    int m_fallbackLeft = 0; // characters after \uN still to skip
    bool m_paragraphPending = false;
    // Characters since the last place a line may break, in this paragraph.
    int m_unbroken = 0;
    QString m_buffer;
    QTextCharFormat m_bufferFormat;
};

}

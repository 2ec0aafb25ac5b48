#include "toolkit/rtf/RtfReader.h"

#include "toolkit/rtf/RtfError.h"

#include <QHash>
#include <QSet>
#include <QTextDocument>
#include <algorithm>

namespace tk {
namespace {

    using Kind = RtfLexer::Kind;

    // Code page 1252 differs from Latin-1 only in 0x80-0x9F; the five bytes
    // it leaves undefined keep their Latin-1 meaning, as Windows does.
    constexpr char16_t Cp1252High[32] = {
        0x20AC,
        0x0081,
        0x201A,
        0x0192,
        0x201E,
        0x2026,
        0x2020,
        0x2021,
        0x02C6,
        0x2030,
        0x0160,
        0x2039,
        0x0152,
        0x008D,
        0x017D,
        0x008F,
        0x0090,
        0x2018,
        0x2019,
        0x201C,
        0x201D,
        0x2022,
        0x2013,
        0x2014,
        0x02DC,
        0x2122,
        0x0161,
        0x203A,
        0x0153,
        0x009D,
        0x017E,
        0x0178,
    };

    QChar fromCp1252(int byte)
    {
        return byte >= 0x80 && byte < 0xA0 ? QChar(Cp1252High[byte - 0x80]) : QChar(char16_t(byte));
    }

    QString fromCodePoint(int code)
    {
        // \u takes a signed 16-bit number: \u-3913 is U+F0B7.
        if (code < 0)
            code += 0x10000;
        if (code < 0 || code > 0x10FFFF)
            return QString(QChar::ReplacementCharacter);
        if (code <= 0xFFFF)
            return QString(QChar(char16_t(code)));
        return QString(QChar(QChar::highSurrogate(char32_t(code)))) + QChar(QChar::lowSurrogate(char32_t(code)));
    }

    // Control words that stand for one character.
    const QHash<QString, char16_t>& characterWords()
    {
        static const QHash<QString, char16_t> words {
            { QStringLiteral("emdash"), 0x2014 },
            { QStringLiteral("endash"), 0x2013 },
            { QStringLiteral("bullet"), 0x2022 },
            { QStringLiteral("lquote"), 0x2018 },
            { QStringLiteral("rquote"), 0x2019 },
            { QStringLiteral("ldblquote"), 0x201C },
            { QStringLiteral("rdblquote"), 0x201D },
            { QStringLiteral("emspace"), 0x2003 },
            { QStringLiteral("enspace"), 0x2002 },
            { QStringLiteral("qmspace"), 0x2005 },
            { QStringLiteral("zwj"), 0x200D },
            { QStringLiteral("zwnj"), 0x200C },
            { QStringLiteral("ltrmark"), 0x200E },
            { QStringLiteral("rtlmark"), 0x200F },
            { QStringLiteral("tab"), u'\t' },
            // Tables are shown as lines of tab-separated cells.
            { QStringLiteral("cell"), u'\t' },
            { QStringLiteral("line"), QChar::LineSeparator },
        };
        return words;
    }

    bool endsParagraph(const QString& word)
    {
        return word == u"par" || word == u"sect" || word == u"page" || word == u"row";
    }

    // Destinations whose content is not text of the document, whether or
    // not the writer marked them with \*.
    bool isHiddenDestination(const QString& word)
    {
        static const QSet<QString> words {
            QStringLiteral("stylesheet"),
            QStringLiteral("info"),
            QStringLiteral("pict"),
            QStringLiteral("object"),
            QStringLiteral("nonshppict"),
            QStringLiteral("shpinst"),
            QStringLiteral("header"),
            QStringLiteral("headerl"),
            QStringLiteral("headerr"),
            QStringLiteral("headerf"),
            QStringLiteral("footer"),
            QStringLiteral("footerl"),
            QStringLiteral("footerr"),
            QStringLiteral("footerf"),
            QStringLiteral("footnote"),
            QStringLiteral("annotation"),
            QStringLiteral("fldinst"),
            QStringLiteral("pn"),
            QStringLiteral("xe"),
            QStringLiteral("tc"),
            QStringLiteral("txe"),
            QStringLiteral("listtable"),
            QStringLiteral("listoverridetable"),
            QStringLiteral("revtbl"),
            QStringLiteral("rsidtbl"),
            QStringLiteral("filetbl"),
            QStringLiteral("generator"),
            QStringLiteral("themedata"),
            QStringLiteral("colorschememapping"),
            QStringLiteral("latentstyles"),
            QStringLiteral("datastore"),
            QStringLiteral("xmlnstbl"),
        };
        return words.contains(word);
    }

    constexpr char16_t ZeroWidthSpace = 0x200B;

    bool mayBreakAfter(QChar c)
    {
        return c == u' ' || c == u'\t' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == ZeroWidthSpace;
    }

    // Not inside a surrogate pair, nor between a character and its marks.
    bool mayBreakBefore(QChar c) { return !c.isLowSurrogate() && !c.isMark() && c != u'\u200D'; }

    bool onUnlessZero(const RtfLexer::Token& token) { return !token.hasParameter || token.parameter != 0; }

    bool isBlank(const QString& text)
    {
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'\t' || c == QChar(); });
    }

}

void RtfReader::read(const QString& rtf, QTextDocument& document)
{
    const QList<RtfLexer::Token> tokens = checkedTokens(rtf);
    document.clear();
    RtfReader reader(document);
    reader.interpret(tokens);
}

RtfReader::RtfReader(QTextDocument& document)
    : m_cursor(&document)
{
}

// All tokens of the document, from its "{\rtf" to the brace that closes it,
// once the whole text has proved well-formed.
QList<RtfLexer::Token> RtfReader::checkedTokens(const QString& rtf)
{
    RtfLexer lexer(rtf);
    QList<RtfLexer::Token> tokens;
    tokens.append(lexer.next());
    if (tokens.first().kind == Kind::GroupOpen)
        tokens.append(lexer.next());
    if (tokens.size() < 2 || tokens.last().kind != Kind::ControlWord || tokens.last().text != u"rtf")
        throw RtfError(tokens.first().line, tokens.first().column, QStringLiteral("the text does not start with {\\rtf"));

    QList<qsizetype> openBraces { 0 };
    while (!openBraces.isEmpty()) {
        const RtfLexer::Token token = lexer.next();
        if (token.kind == Kind::End) {
            const RtfLexer::Token& brace = tokens.at(openBraces.last());
            throw RtfError(brace.line, brace.column, QStringLiteral("unbalanced '{': no matching '}'"));
        }
        if (token.kind == Kind::GroupOpen)
            openBraces.append(tokens.size());
        else if (token.kind == Kind::GroupClose)
            openBraces.removeLast();
        tokens.append(token);
    }

    for (;;) {
        const RtfLexer::Token token = lexer.next();
        if (token.kind == Kind::End)
            return tokens;
        if (token.kind == Kind::Text && isBlank(token.text))
            continue;
        if (token.kind == Kind::GroupClose)
            throw RtfError(token.line, token.column, QStringLiteral("unbalanced '}'"));
        throw RtfError(token.line, token.column, QStringLiteral("text after the '}' that ends the document"));
    }
}

void RtfReader::interpret(const QList<RtfLexer::Token>& tokens)
{
    m_cursor.beginEditBlock();
    // The last token closes the document; the state inside it decides how
    // the last paragraph looks.
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i) {
        const RtfLexer::Token& token = tokens.at(i);
        switch (token.kind) {
        case Kind::GroupOpen:
            openGroup();
            break;
        case Kind::GroupClose:
            closeGroup();
            break;
        case Kind::ControlWord:
            controlWord(token);
            break;
        case Kind::ControlSymbol:
            controlSymbol(token);
            break;
        case Kind::Text:
            text(token.text);
            break;
        case Kind::Binary:
        case Kind::End:
            break;
        }
    }
    flush();
    if (!m_paragraphPending)
        m_cursor.setBlockFormat(blockFormat());
    m_cursor.endEditBlock();
}

void RtfReader::openGroup()
{
    m_stack.append(m_state);
    m_fallbackLeft = 0;
}

void RtfReader::closeGroup()
{
    // A font table entry may end with its group instead of a semicolon.
    if (m_state.destination == Destination::FontTable)
        fontTableText(QStringLiteral(";"));
    if (!m_stack.isEmpty())
        m_state = m_stack.takeLast();
    m_fallbackLeft = 0;
}

// Characters that follow \uN for readers without Unicode are dropped; each
// control word or symbol among them counts as one.
bool RtfReader::skipFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void RtfReader::controlWord(const RtfLexer::Token& token)
{
    if (m_state.destination == Destination::Skipped || skipFallback())
        return;
    if (destinationWord(token.text) || documentWord(token))
        return;
    switch (m_state.destination) {
    case Destination::Text:
        textWord(token);
        break;
    case Destination::FontTable:
        if (token.text == u"f")
            m_tableFont = token.parameter;
        break;
    case Destination::ColorTable:
        colorTableWord(token);
        break;
    case Destination::Skipped:
        break;
    }
}

// A word that makes its group a destination other than the text.
bool RtfReader::destinationWord(const QString& word)
{
    if (word == u"fonttbl")
        m_state.destination = Destination::FontTable;
    else if (word == u"colortbl")
        m_state.destination = Destination::ColorTable;
    else if (isHiddenDestination(word))
        m_state.destination = Destination::Skipped;
    else
        return false;
    return true;
}

// A word that means the same in every destination.
bool RtfReader::documentWord(const RtfLexer::Token& token)
{
    const QString& word = token.text;
    if (word == u"u") {
        character(fromCodePoint(token.parameter));
        m_fallbackLeft = m_state.unicodeSkip;
    } else if (word == u"uc") {
        m_state.unicodeSkip = std::max(token.parameter, 0);
    } else if (word == u"deff") {
        m_defaultFont = token.parameter;
    } else {
        return false;
    }
    return true;
}

void RtfReader::colorTableWord(const RtfLexer::Token& token)
{
    const int component = std::clamp(token.parameter, 0, 255);
    if (token.text == u"red")
        m_red = component;
    else if (token.text == u"green")
        m_green = component;
    else if (token.text == u"blue")
        m_blue = component;
    else
        return;
    m_colorGiven = true;
}

void RtfReader::textWord(const RtfLexer::Token& token)
{
    const QString& word = token.text;
    if (endsParagraph(word)) {
        endParagraph();
    } else if (const auto special = characterWords().constFind(word); special != characterWords().cend()) {
        put(QString(QChar(*special)));
    } else if (const auto change = stateWords().constFind(word); change != stateWords().cend()) {
        (*change)(m_state, token);
    }
}

// Words that change how the text after them looks, each as a change of the
// group's state.
const QHash<QString, RtfReader::StateChange>& RtfReader::stateWords()
{
    using Token = RtfLexer::Token;
    static const auto underline = [](State& s, const Token& t) { s.underline = onUnlessZero(t); };
    static const QHash<QString, StateChange> words {
        { QStringLiteral("b"), [](State& s, const Token& t) { s.bold = onUnlessZero(t); } },
        { QStringLiteral("i"), [](State& s, const Token& t) { s.italic = onUnlessZero(t); } },
        { QStringLiteral("ul"), underline },
        { QStringLiteral("uld"), underline },
        { QStringLiteral("uldb"), underline },
        { QStringLiteral("ulw"), underline },
        { QStringLiteral("uldash"), underline },
        { QStringLiteral("ulth"), underline },
        { QStringLiteral("ulwave"), underline },
        { QStringLiteral("ulnone"), [](State& s, const Token&) { s.underline = false; } },
        { QStringLiteral("strike"), [](State& s, const Token& t) { s.strikeOut = onUnlessZero(t); } },
        // Beyond the largest type a word processor sets, a size is that size.
        { QStringLiteral("fs"), [](State& s, const Token& t) { s.halfPoints = t.parameter > 0 ? std::min(t.parameter, LargestHalfPoints) : State().halfPoints; } },
        { QStringLiteral("cf"), [](State& s, const Token& t) { s.color = t.parameter; } },
        { QStringLiteral("f"), [](State& s, const Token& t) { s.font = t.parameter; } },
        { QStringLiteral("plain"), [](State& s, const Token&) { s.plain(); } },
        { QStringLiteral("pard"), [](State& s, const Token&) { s.alignment = State().alignment; } },
        { QStringLiteral("ql"), [](State& s, const Token&) { s.alignment = Qt::AlignLeft; } },
        { QStringLiteral("qr"), [](State& s, const Token&) { s.alignment = Qt::AlignRight; } },
        { QStringLiteral("qc"), [](State& s, const Token&) { s.alignment = Qt::AlignHCenter; } },
        { QStringLiteral("qj"), [](State& s, const Token&) { s.alignment = Qt::AlignJustify; } },
    };
    return words;
}

void RtfReader::controlSymbol(const RtfLexer::Token& token)
{
    if (m_state.destination == Destination::Skipped)
        return;
    const QString& symbol = token.text;
    if (symbol == u"*") {
        m_state.destination = Destination::Skipped;
        return;
    }
    if (skipFallback())
        return;

    if (symbol == u"'")
        character(QString(fromCp1252(token.parameter)));
    else if (symbol == u"\\" || symbol == u"{" || symbol == u"}")
        character(symbol);
    else if (symbol == u"~")
        character(QString(QChar::Nbsp));
    else if (symbol == u"-")
        character(QString(QChar::SoftHyphen));
    else if (symbol == u"_")
        character(QString(QChar(0x2011)));
    else if ((symbol == u"\n" || symbol == u"\r") && m_state.destination == Destination::Text)
        endParagraph();
}

void RtfReader::text(QString text)
{
    if (m_state.destination == Destination::Skipped)
        return;
    const qsizetype skipped = std::min<qsizetype>(m_fallbackLeft, text.size());
    text.remove(0, skipped);
    m_fallbackLeft -= int(skipped);
    // Control characters in the source carry no meaning; a tab is a tab.
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    character(text);
}

void RtfReader::character(const QString& text)
{
    if (text.isEmpty())
        return;
    switch (m_state.destination) {
    case Destination::Text:
        put(text);
        break;
    case Destination::FontTable:
        fontTableText(text);
        break;
    case Destination::ColorTable:
        colorTableText(text);
        break;
    case Destination::Skipped:
        break;
    }
}

// Each entry is "\fN ... Name;".
void RtfReader::fontTableText(const QString& text)
{
    for (const QChar c : text) {
        if (c != u';') {
            m_fontName += c;
            continue;
        }
        const QString name = m_fontName.trimmed();
        if (m_tableFont >= 0 && !name.isEmpty())
            m_fonts.insert(m_tableFont, name);
        m_fontName.clear();
    }
}

// Each entry is "\redN\greenN\blueN;"; an entry with no colour, just ";", is
// the default text colour.
void RtfReader::colorTableText(const QString& text)
{
    for (const QChar c : text) {
        if (c != u';')
            continue;
        m_colors.append(m_colorGiven ? std::optional<QColor>(QColor(m_red, m_green, m_blue)) : std::nullopt);
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }
}

// Text is gathered while its format stays the same and inserted in one piece.
void RtfReader::put(const QString& text)
{
    startParagraphIfPending();
    const QTextCharFormat format = charFormat();
    if (!m_buffer.isEmpty() && format != m_bufferFormat)
        flush();
    m_bufferFormat = format;
    for (const QChar c : text) {
        if (mayBreakAfter(c))
            m_unbroken = 0;
        else if (++m_unbroken > LongestUnbrokenRun && mayBreakBefore(c))
            breakRun();
        m_buffer += c;
    }
}

// Qt lays out a line by looking for a break as far as the end of the word
// it stands in, so a word as long as the text makes laying out grow with the
// square of the length (and with each change of format in it). An invisible
// break opportunity within every so many characters keeps it linear; only a
// word longer than a line can wrap elsewhere than it would have.
void RtfReader::breakRun()
{
    m_buffer += QChar(ZeroWidthSpace);
    m_unbroken = 1;
}

void RtfReader::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_cursor.insertText(m_buffer, m_bufferFormat);
    m_buffer.clear();
}

// A paragraph mark ends the current paragraph; the next one begins only when
// something follows, so a document ending in \par has no empty paragraph
// after its last.
void RtfReader::endParagraph()
{
    m_unbroken = 0;
    flush();
    startParagraphIfPending();
    m_cursor.setBlockFormat(blockFormat());
    m_cursor.setBlockCharFormat(charFormat());
    m_paragraphPending = true;
}

void RtfReader::startParagraphIfPending()
{
    if (!m_paragraphPending)
        return;
    m_cursor.insertBlock(blockFormat(), charFormat());
    m_paragraphPending = false;
}

QTextCharFormat RtfReader::charFormat() const
{
    QTextCharFormat format;
    format.setFontWeight(m_state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(m_state.italic);
    format.setFontUnderline(m_state.underline);
    format.setFontStrikeOut(m_state.strikeOut);
    format.setFontPointSize(m_state.halfPoints / 2.0);
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    if (const auto name = m_fonts.constFind(font); name != m_fonts.cend())
        format.setFontFamilies(QStringList { *name });
    if (m_state.color >= 0 && m_state.color < m_colors.size() && m_colors.at(m_state.color))
        format.setForeground(*m_colors.at(m_state.color));
    return format;
}

QTextBlockFormat RtfReader::blockFormat() const
{
    QTextBlockFormat format;
    format.setAlignment(m_state.alignment);
    return format;
}

}

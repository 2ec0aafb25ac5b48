// Rich text: its tokens with their positions, the text and character formats
// it gives a document, the help dialog's text as the supporter assembles it,
// and the complaints about malformed input.

#include "TestMain.h"

#include "toolkit/rtf/RtfError.h"
#include "toolkit/rtf/RtfLexer.h"
#include "toolkit/rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <optional>

namespace {

// The tokens in a compact form, each followed by @line:column: "{", "\fs-12",
// "\b_" (a blank swallowed as the delimiter), "\'e9", "\~", "\<LF>",
// "'text'", "bin'data'".
QString dump(const QString& rtf)
{
    using K = tk::RtfLexer::Kind;
    tk::RtfLexer lexer(rtf);
    QStringList out;
    for (tk::RtfLexer::Token t = lexer.next(); t.kind != K::End && out.size() < 100; t = lexer.next()) {
        QString s;
        switch (t.kind) {
        case K::GroupOpen:
        case K::GroupClose:
            s = t.text;
            break;
        case K::ControlWord:
            s = u'\\' + t.text + (t.hasParameter ? QString::number(t.parameter) : QString()) + (t.spaceDelimited ? QStringLiteral("_") : QString());
            break;
        case K::ControlSymbol:
            s = t.text == u"'" ? QStringLiteral("\\'%1").arg(t.parameter, 2, 16, QLatin1Char('0'))
                               : u'\\' + QString(t.text).replace(u'\r', QStringLiteral("<CR>")).replace(u'\n', QStringLiteral("<LF>"));
            break;
        case K::Binary:
            s = QStringLiteral("bin'") + t.text + u'\'';
            break;
        case K::Text:
            s = u'\'' + t.text + u'\'';
            break;
        case K::End:
            break;
        }
        out << QStringLiteral("%1@%2:%3").arg(s).arg(t.line).arg(t.column);
    }
    return out.join(u' ');
}

// The document's characters as they are (no blank for a no-break space),
// one line per paragraph.
QString rawText(const QTextDocument& document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// The format of the first occurrence of the text; nothing when the text is
// missing or its characters are not all formatted alike.
std::optional<QTextCharFormat> formatOf(QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return std::nullopt;
    QTextCursor at(&document);
    at.setPosition(found.selectionStart() + 1);
    const QTextCharFormat first = at.charFormat();
    for (int p = found.selectionStart() + 2; p <= found.selectionEnd(); ++p) {
        at.setPosition(p);
        if (at.charFormat() != first)
            return std::nullopt;
    }
    return first;
}

// The help dialog's text, piece by piece as the supporter builds it.
QString helpText(const QString& company, const QString& card, const QString& series, bool multiPort)
{
    const QString crlf = QStringLiteral("\r\n");
    QString t = QStringLiteral(R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                               R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
                               R"(\viewkind4\uc1\pard\f0\fs32\cf0)")
        + crlf + QStringLiteral(R"({\b )");
    t += company + u' ' + card + series;
    t += QStringLiteral(R"( Settings Program}\par\par\fs24)") + crlf;
    t += QStringLiteral(R"(This program will help you configure the option jumpers and settings associated with this product. )"
                        R"(You should have the product in-hand when first using this program.\par\par)")
        + crlf;
    t += QStringLiteral(R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)") + crlf;
    t += QStringLiteral(R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and )"
                        R"(optional features of the product family.\par\par)")
        + crlf;
    t += QStringLiteral(R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually )"
                        R"(controlling the hardware device. Run this settings program again once the card is installed. )");
    t += QStringLiteral(R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then perform )"
                        R"(the {\cf3 calibration circles}.\par\par)")
        + crlf;
    t += QStringLiteral(R"(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, )"
                        R"({\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. )");
    t += QStringLiteral(R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)") + crlf;
    if (multiPort) {
        t += QStringLiteral(R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the configuration )"
                            R"(options for each port are handled identically; )");
        t += QStringLiteral(R"(this program only shows the setup once, but you need to perform this setup for each group of )"
                            R"(options on your device.\par\par)")
            + crlf;
    }
    return t + u'}';
}

QString orvaneHelpText()
{
    return helpText(QStringLiteral("ORVANE"), QStringLiteral("USB-QT30-5E"), QStringLiteral(" Series"), true);
}

}

class tst_RtfReader : public QObject {
    Q_OBJECT

private slots:
    // --- tokens

    void tokens_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");

        QTest::newRow("braces, words, positions") << QStringLiteral("{\\rtf1\\ansi\r\n{\\b x}}")
                                                  << QStringLiteral("{@1:1 \\rtf1@1:2 \\ansi@1:7 {@2:1 \\b_@2:2 'x'@2:5 }@2:6 }@2:7");
        QTest::newRow("negative parameter") << QStringLiteral("\\fs-12\\li0") << QStringLiteral("\\fs-12@1:1 \\li0@1:7");
        QTest::newRow("32-bit limits") << QStringLiteral("\\x2147483647 \\y-2147483648")
                                       << QStringLiteral("\\x2147483647_@1:1 \\y-2147483648@1:14");
        QTest::newRow("one blank swallowed") << QStringLiteral("\\b  x") << QStringLiteral("\\b_@1:1 ' x'@1:4");
        QTest::newRow("other delimiters stay") << QStringLiteral("\\fs24;x") << QStringLiteral("\\fs24@1:1 ';x'@1:6");
        QTest::newRow("minus without digits") << QStringLiteral("\\fs-x") << QStringLiteral("\\fs@1:1 '-x'@1:4");
        QTest::newRow("word ends at a non-ASCII letter") << QString::fromUtf8("\\bé") << QString::fromUtf8("\\b@1:1 'é'@1:3");
        QTest::newRow("line break ends a word, not swallowed") << QStringLiteral("\\par\r\nX") << QStringLiteral("\\par@1:1 'X'@2:1");
        QTest::newRow("text runs across line breaks") << QStringLiteral("ab\r\ncd\\x") << QStringLiteral("'abcd'@1:1 \\x@2:3");
        QTest::newRow("CR, LF and CR LF end a line each") << QStringLiteral("a\rb\nc\r\n{") << QStringLiteral("'abc'@1:1 {@4:1");
        QTest::newRow("hex escapes") << QStringLiteral("\\'e9\\'C4\\'4142")
                                     << QStringLiteral("\\'e9@1:1 \\'c4@1:5 \\'41@1:9 '42'@1:13");
        QTest::newRow("control symbols") << QStringLiteral("\\\\\\{\\}\\~\\-\\_\\*\\|")
                                         << QStringLiteral("\\\\@1:1 \\{@1:3 \\}@1:5 \\~@1:7 \\-@1:9 \\_@1:11 \\*@1:13 \\|@1:15");
        QTest::newRow("backslash before a line break") << QStringLiteral("a\\\r\nb") << QStringLiteral("'a'@1:1 \\<CR>@1:2 'b'@2:1");
        QTest::newRow("binary data keeps braces and backslashes")
            << QStringLiteral("\\bin3 {}\\x") << QStringLiteral("\\bin3_@1:1 bin'{}\\'@1:7 'x'@1:10");
        QTest::newRow("a surrogate pair is one column") << QString::fromUtf8("😀{") << QString::fromUtf8("'😀'@1:1 {@1:2");
    }

    void tokens()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QCOMPARE(dump(rtf), expected);
    }

    // --- text

    void text_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");

        QTest::newRow("paragraphs") << QStringLiteral("{\\rtf1 a\\par b}") << QStringLiteral("a\nb");
        QTest::newRow("a final \\par adds no empty paragraph") << QStringLiteral("{\\rtf1 a\\par}") << QStringLiteral("a");
        QTest::newRow("empty paragraphs") << QStringLiteral("{\\rtf1 a\\par\\par b\\par\\par}") << QStringLiteral("a\n\nb\n");
        QTest::newRow("line breaks in the source are ignored") << QStringLiteral("{\\rtf1 a\r\nb\rc\nd}") << QStringLiteral("abcd");
        QTest::newRow("backslash before a line break is \\par") << QStringLiteral("{\\rtf1 a\\\r\nb}") << QStringLiteral("a\nb");
        QTest::newRow("only one delimiting blank is dropped") << QStringLiteral("{\\rtf1\\b  two}") << QStringLiteral(" two");
        QTest::newRow("\\line and \\tab") << QStringLiteral("{\\rtf1 a\\line b\\tab c}") << QStringLiteral("a\u2028b\tc");
        QTest::newRow("character words") << QStringLiteral("{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
                                         << QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D");
        QTest::newRow("control symbols") << QStringLiteral("{\\rtf1 \\\\\\{\\}\\~\\-\\_}")
                                         << QStringLiteral("\\{}\u00A0\u00AD\u2011");
        QTest::newRow("hex bytes in code page 1252") << QStringLiteral("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'93\\'9f\\'81}")
                                                     << QStringLiteral("caf\u00E9 \u20AC\u201C\u0178\u0081");
        QTest::newRow("\\u drops one fallback character") << QStringLiteral("{\\rtf1\\uc1 \\u8364?x}") << QStringLiteral("\u20ACx");
        QTest::newRow("\\uc2 fallback of two hex bytes") << QStringLiteral("{\\rtf1\\uc2\\u8364\\'80\\'80x}") << QStringLiteral("\u20ACx");
        QTest::newRow("\\uc0 drops nothing") << QStringLiteral("{\\rtf1\\uc0\\u8364 x}") << QStringLiteral("\u20ACx");
        QTest::newRow("negative \\u, surrogate pair") << QStringLiteral("{\\rtf1\\u-10179?\\u-8704?}") << QString::fromUtf8("😀");
        QTest::newRow("\\uc belongs to its group, a group ends the fallback")
            << QStringLiteral("{\\rtf1{\\uc2\\u8364 ab}\\u8364 cd{\\u8364}e}") << QStringLiteral("\u20AC\u20ACd\u20ACe");
        QTest::newRow("tables, style sheet and info are not shown")
            << QStringLiteral("{\\rtf1{\\fonttbl{\\f0\\fswiss Verdana;}}{\\colortbl;\\red1\\green2\\blue3;}"
                              "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}x}")
            << QStringLiteral("x");
        QTest::newRow("{\\* groups are not shown") << QStringLiteral("{\\rtf1 a{\\*\\generator W 1.0;}{\\*\\unknown {nested} t}b}")
                                                   << QStringLiteral("ab");
        QTest::newRow("unknown words are ignored") << QStringLiteral("{\\rtf1 a\\foo b\\bar-3 c\\zz}") << QStringLiteral("abc");
        QTest::newRow("binary data is not text") << QStringLiteral("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
        QTest::newRow("control characters are dropped") << QStringLiteral("{\\rtf1 a\u0001\tb}") << QStringLiteral("a\tb");
        QTest::newRow("blanks after the document") << QStringLiteral("{\\rtf1 a}\r\n \t") << QStringLiteral("a");
    }

    void text()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QTextDocument document;
        tk::RtfReader::read(rtf, document);
        QCOMPARE(rawText(document), expected);
    }

    // --- character formats

    void formats_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::addColumn<double>("points");
        QTest::addColumn<QColor>("color"); // invalid: the default text colour
        QTest::addColumn<QString>("family"); // empty: the document's default

        const QString tables = QStringLiteral("{\\fonttbl{\\f0 Arial;}{\\f1\\froman Times New Roman;}}"
                                              "{\\colortbl;\\red1\\green2\\blue3;}");
        const QString formatted = QStringLiteral("{\\rtf1") + tables + QStringLiteral("\\f1\\fs40\\cf1\\b\\i\\ul\\strike x\\plain y}");

        QTest::newRow("defaults") << QStringLiteral("{\\rtf1 x}") << "x" << false << false << false << false << 12.0 << QColor() << QString();
        QTest::newRow("everything on") << formatted << "x" << true << true << true << true << 20.0 << QColor(1, 2, 3) << "Times New Roman";
        QTest::newRow("\\plain") << formatted << "y" << false << false << false << false << 12.0 << QColor() << QString();
        QTest::newRow("inside a group") << QStringLiteral("{\\rtf1{\\b\\i\\ul a}b}") << "a" << true << true << true << false << 12.0
                                        << QColor() << QString();
        QTest::newRow("after the group") << QStringLiteral("{\\rtf1{\\b\\i\\ul a}b}") << "b" << false << false << false << false << 12.0
                                         << QColor() << QString();
        QTest::newRow("\\b0 \\i0 \\ulnone") << QStringLiteral("{\\rtf1\\b\\i\\ul a\\b0\\i0\\ulnone b}") << "b" << false << false << false
                                            << false << 12.0 << QColor() << QString();
        QTest::newRow("\\cf0 on an empty entry") << QStringLiteral("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf0 a}") << "a" << false
                                                 << false << false << false << 12.0 << QColor() << QString();
        QTest::newRow("\\cf0 on a colour") << QStringLiteral("{\\rtf1{\\colortbl\\red255\\green0\\blue0;}\\cf0 a}") << "a" << false
                                           << false << false << false << 12.0 << QColor(255, 0, 0) << QString();
        QTest::newRow("\\cf past the table") << QStringLiteral("{\\rtf1{\\colortbl\\red9\\green9\\blue9;}\\cf5 a}") << "a" << false
                                             << false << false << false << 12.0 << QColor() << QString();
        QTest::newRow("\\deff font, entries without braces")
            << QStringLiteral("{\\rtf1\\deff1{\\fonttbl\\f0 Arial;\\f1 Courier New;}a}") << "a" << false << false << false << false
            << 12.0 << QColor() << "Courier New";
        QTest::newRow("\\f past the table") << QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f7 a}") << "a" << false << false
                                            << false << false << 12.0 << QColor() << QString();
        QTest::newRow("odd half-points") << QStringLiteral("{\\rtf1\\fs23 a}") << "a" << false << false << false << false << 11.5
                                         << QColor() << QString();
        QTest::newRow("\\fs past the largest type") << QStringLiteral("{\\rtf1\\fs2147483647 a}") << "a" << false << false << false
                                                    << false << 1638.0 << QColor() << QString();
        QTest::newRow("\\fs alone is 12 point") << QStringLiteral("{\\rtf1\\fs40\\fs a}") << "a" << false << false << false << false
                                                << 12.0 << QColor() << QString();
    }

    void formats()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, needle);
        QTextDocument document;
        tk::RtfReader::read(rtf, document);
        const std::optional<QTextCharFormat> format = formatOf(document, needle);
        QVERIFY2(format, qPrintable(rawText(document)));

        QTEST(format->fontWeight() == QFont::Bold, "bold");
        QTEST(format->fontItalic(), "italic");
        QTEST(format->fontUnderline(), "underline");
        QTEST(format->fontStrikeOut(), "strikeOut");
        QTEST(format->fontPointSize(), "points");
        QFETCH(QColor, color);
        if (color.isValid())
            QCOMPARE(format->foreground().color(), color);
        else
            QVERIFY(!format->hasProperty(QTextFormat::ForegroundBrush));
        QFETCH(QString, family);
        QCOMPARE(format->fontFamilies().toStringList(), family.isEmpty() ? QStringList() : QStringList { family });
    }

    void paragraphFormats()
    {
        QTextDocument document;
        tk::RtfReader::read(QStringLiteral("{\\rtf1\\qc a\\par\\pard b\\par{\\qr c\\par}\\qj\\fs40 d\\par\\par}"), document);
        QCOMPARE(document.blockCount(), 5);
        QCOMPARE(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignLeft);
        QCOMPARE(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(document.findBlockByNumber(3).blockFormat().alignment(), Qt::AlignJustify);
        // An empty paragraph is as high as the text around it.
        QCOMPARE(document.findBlockByNumber(4).charFormat().fontPointSize(), 20.0);
    }

    // --- long words

    void longRunsGetBreakOpportunities_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");

        const QString a100(100, u'a');
        const QString a127(127, u'a');
        const QString a128(128, u'a');
        const QString zwsp(QChar(0x200B));
        QString alternating;
        QString alternatingText;
        for (int i = 0; i < 65; ++i) {
            alternating += QStringLiteral("{\\b a}{\\i b}");
            alternatingText += QStringLiteral("ab");
        }

        QTest::newRow("128 letters stay whole") << "{\\rtf1 " + a128 + "}" << a128;
        QTest::newRow("the 129th letter gets a break") << "{\\rtf1 " + a128 + "ab}" << a128 + zwsp + "ab";
        QTest::newRow("a run of 300") << "{\\rtf1 " + QString(300, u'x') + "}"
                                      << QString(128, u'x') + zwsp + QString(128, u'x') + zwsp + QString(44, u'x');
        QTest::newRow("a blank starts a new run") << "{\\rtf1 " + a100 + " " + a100 + "}" << a100 + " " + a100;
        QTest::newRow("a tab starts a new run") << "{\\rtf1 " + a100 + "\\tab " + a100 + "}" << a100 + "\t" + a100;
        QTest::newRow("a line break starts a new run") << "{\\rtf1 " + a100 + "\\line " + a100 + "}" << a100 + "\u2028" + a100;
        QTest::newRow("a paragraph starts a new run") << "{\\rtf1 " + a100 + "\\par " + a100 + "}" << a100 + "\n" + a100;
        QTest::newRow("a no-break space is no break") << "{\\rtf1 " + a100 + "\\~" + a100 + "}"
                                                      << a100 + "\u00A0" + QString(27, u'a') + zwsp + QString(73, u'a');
        QTest::newRow("changes of format are no break") << "{\\rtf1 " + alternating + "}"
                                                        << alternatingText.left(128) + zwsp + alternatingText.mid(128);
        QTest::newRow("not inside a surrogate pair") << "{\\rtf1 " + a127 + "\\u-10179?\\u-8704?b}"
                                                     << a127 + QString::fromUtf8("😀") + zwsp + "b";
        QTest::newRow("not before a combining mark") << "{\\rtf1 " + a128 + "\\u768?b}" << a128 + "\u0300" + zwsp + "b";
    }

    void longRunsGetBreakOpportunities()
    {
        QFETCH(QString, rtf);
        QTextDocument document;
        tk::RtfReader::read(rtf, document);
        QTEST(rawText(document), "expected");
    }

    // Laying out a text grows with its length, not with its square, however
    // long its words and however often its format changes.
    void aLongWordOfChangingFormatsLaysOut()
    {
        QString rtf = QStringLiteral("{\\rtf1\\fs24 ");
        QString text;
        while (rtf.size() < 50000) {
            rtf += QStringLiteral("\\b a\\b0 b\\i c\\i0 d");
            text += QStringLiteral("abcd");
        }
        rtf += u'}';
        QTextDocument document;
        tk::RtfReader::read(rtf, document);
        document.setTextWidth(390);
        QVERIFY(document.documentLayout()->documentSize().height() > 0);
        QCOMPARE(document.blockCount(), 1);
        QCOMPARE(document.toRawText().remove(QChar(0x200B)), text);
        const QTextLayout* layout = document.firstBlock().layout();
        QVERIFY(layout->lineCount() > 1);
        // Lines break within the width. Whether Qt also breaks inside a run
        // too wide for a line depends on the fonts installed (with no oblique
        // face it does not), so a line that overhangs holds no more than one
        // run between the reader's break opportunities; a line may also
        // overhang by one glyph where the font rounds its advances up.
        const qreal glyph = QFontMetricsF(document.defaultFont()).height();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            QVERIFY2(line.naturalTextWidth() <= 390 + glyph || line.textLength() <= 129,
                qPrintable(QStringLiteral("line %1: %2 characters, %3 pixels").arg(i).arg(line.textLength()).arg(line.naturalTextWidth())));
        }
    }

    // --- the help dialog's text

    void helpTextParagraphs()
    {
        QTextDocument document;
        tk::RtfReader::read(orvaneHelpText(), document);
        const QString text = document.toPlainText();

        QVERIFY(text.startsWith(QStringLiteral("ORVANE USB-QT30-5E Series Settings Program\n\n")));
        const QString expected = QStringLiteral(
            "ORVANE USB-QT30-5E Series Settings Program\n"
            "\n"
            "This program will help you configure the option jumpers and settings associated with this product. You should "
            "have the product in-hand when first using this program.\n"
            "\n"
            "Yellow circles provide information on configuring jumpers and switches.\n"
            "\n"
            "Blue circles are informational only. They provide information on standard and optional features of the product "
            "family.\n"
            "\n"
            "Red circles handle calibration and types of configuration that require actually controlling the hardware device. "
            "Run this settings program again once the card is installed. Repeat the setup circles (using the same settings) to "
            "configure this program, then perform the calibration circles.\n"
            "\n"
            "Mouse over the highlight circles to see configuration or information popups for setup, features, and calibration. "
            "Click a highlight circle to make its popup remain on-screen. You can have all or as many of these popups onscreen "
            "at the same time as you desire.\n"
            "\n"
            "Note: Make sure to set the jumpers for each option group \u2014 the configuration options for each port are "
            "handled identically; this program only shows the setup once, but you need to perform this setup for each group "
            "of options on your device.\n");
        QCOMPARE(text, expected);
        QCOMPARE(document.blockCount(), 14);

        // The em dash's own delimiter is gone, the second blank stays.
        QVERIFY(text.contains(QStringLiteral("group \u2014 the")));
        for (const QString& leak : { QStringLiteral("\\"), QStringLiteral("{"), QStringLiteral("}"), QStringLiteral(";"),
                 QStringLiteral("rtf"), QStringLiteral("Verdana"), QStringLiteral("emdash") }) {
            if (leak == u";")
                QCOMPARE(text.count(leak), 1); // "identically;" is the only one
            else
                QVERIFY2(!text.contains(leak), qPrintable(leak));
        }
        // The empty line under the title is as high as the title.
        QCOMPARE(document.findBlockByNumber(1).charFormat().fontPointSize(), 16.0);
    }

    void helpTextFormats_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<double>("points");
        QTest::addColumn<QColor>("color");

        const QColor grey(64, 64, 64);
        QTest::newRow("title") << "ORVANE USB-QT30-5E Series Settings Program" << true << 16.0 << grey;
        QTest::newRow("yellow") << "Yellow circles" << true << 12.0 << QColor(255, 255, 64);
        QTest::newRow("blue") << "Blue circles" << true << 12.0 << QColor(64, 64, 255);
        QTest::newRow("red") << "Red circles" << true << 12.0 << QColor(255, 64, 64);
        QTest::newRow("body") << " provide information on configuring jumpers and switches." << false << 12.0 << grey;
        QTest::newRow("setup circles") << "setup circles" << false << 12.0 << QColor(255, 255, 64);
        QTest::newRow("calibration circles") << "calibration circles" << false << 12.0 << QColor(255, 64, 64);
        QTest::newRow("note") << "Note:" << true << 16.0 << grey;
        QTest::newRow("after the note") << " Make sure to set the jumpers for each option group \u2014 the" << false << 12.0 << grey;
    }

    void helpTextFormats()
    {
        QFETCH(QString, needle);
        QTextDocument document;
        tk::RtfReader::read(orvaneHelpText(), document);
        const std::optional<QTextCharFormat> format = formatOf(document, needle);
        QVERIFY(format);
        QTEST(format->fontWeight() == QFont::Bold, "bold");
        QTEST(format->fontPointSize(), "points");
        QTEST(format->foreground().color(), "color");
        QCOMPARE(format->fontFamilies().toStringList(), QStringList { QStringLiteral("Verdana") });
    }

    // --- malformed input

    void errors_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("description");

        const QString noHeader = QStringLiteral("the text does not start with {\\rtf");
        const QString unclosed = QStringLiteral("unbalanced '{': no matching '}'");
        const QString badHex = QStringLiteral("\\' must be followed by two hex digits");

        QTest::newRow("empty") << QString() << 1 << 1 << noHeader;
        QTest::newRow("plain text") << QStringLiteral("hello") << 1 << 1 << noHeader;
        QTest::newRow("\\rt is not \\rtf") << QStringLiteral("{\\rt1 x}") << 1 << 1 << noHeader;
        QTest::newRow("\\rtf not first") << QStringLiteral("{{\\rtf1 x}}") << 1 << 1 << noHeader;
        QTest::newRow("extra '}'") << QStringLiteral("{\\rtf1\r\n{\\b x}\r\n\\par}}") << 3 << 6 << QStringLiteral("unbalanced '}'");
        QTest::newRow("document never closed") << QStringLiteral("{\\rtf1 {\\b x\\par}") << 1 << 1 << unclosed;
        QTest::newRow("inner group never closed") << QStringLiteral("{\\rtf1\r\n {\\b x {\\i y}") << 2 << 2 << unclosed;
        QTest::newRow("backslash at the end") << QStringLiteral("{\\rtf1 x\\") << 1 << 9 << QStringLiteral("backslash at the end of the text");
        QTest::newRow("bad hex digit") << QStringLiteral("{\\rtf1 \\'4g}") << 1 << 8 << badHex;
        QTest::newRow("hex cut off") << QStringLiteral("{\\rtf1 \\'") << 1 << 8 << badHex;
        QTest::newRow("parameter too large") << QStringLiteral("{\\rtf1 \\fs2147483648 x}") << 1 << 8
                                             << QStringLiteral("the parameter of \\fs is out of range");
        QTest::newRow("digits past every integer") << QStringLiteral("{\\rtf1 \\fs99999999999999999999999999 x}") << 1 << 8
                                                   << QStringLiteral("the parameter of \\fs is out of range");
        QTest::newRow("negative digits past every integer") << QStringLiteral("{\\rtf1 \\u-99999999999999999999999999 x}") << 1 << 8
                                                            << QStringLiteral("the parameter of \\u is out of range");
        QTest::newRow("\\bin past the end") << QStringLiteral("{\\rtf1 \\bin20 ab}") << 1 << 8
                                            << QStringLiteral("\\bin data runs past the end of the text");
        QTest::newRow("text after the document") << QStringLiteral("{\\rtf1 x} y") << 1 << 10
                                                 << QStringLiteral("text after the '}' that ends the document");
    }

    void errors()
    {
        QFETCH(QString, rtf);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, description);
        QTextDocument document(QStringLiteral("kept"));
        try {
            tk::RtfReader::read(rtf, document);
            QFAIL("the text was accepted");
        } catch (const tk::RtfError& e) {
            QCOMPARE(e.message(), QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(description));
        }
        QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    }

    // Cut anywhere, the help text lacks its closing brace at least: every
    // cut is refused with a located error, none crashes or is half read.
    void everyTruncatedHelpTextIsRefused()
    {
        const QString full = orvaneHelpText();
        for (qsizetype length = 0; length < full.size(); ++length) {
            QTextDocument document;
            try {
                tk::RtfReader::read(full.left(length), document);
                QFAIL(qPrintable(QStringLiteral("accepted the first %1 characters").arg(length)));
            } catch (const tk::RtfError& e) {
                QVERIFY(e.line() >= 1 && e.column() >= 1);
            }
            QVERIFY(document.isEmpty());
        }
    }

    void readReplacesTheContent()
    {
        QTextDocument document(QStringLiteral("old"));
        tk::RtfReader::read(QStringLiteral("{\\rtf1 new}"), document);
        QCOMPARE(document.toPlainText(), QStringLiteral("new"));
    }
};

SETUP_TEST_MAIN(tst_RtfReader)
#include "tst_RtfReader.moc"

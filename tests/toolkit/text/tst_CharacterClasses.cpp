// The character classes names and numbers are read by: ASCII only, whatever
// other scripts call a letter or a digit.

#include "TestMain.h"

#include "toolkit/text/CharacterClasses.h"

class tst_CharacterClasses : public QObject {
    Q_OBJECT

private slots:
    void identifiers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("identifier");

        QTest::newRow("letters") << "PowerHighlight" << true;
        QTest::newRow("underscore first, digits after") << "_a1_9" << true;
        QTest::newRow("one letter") << "Z" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("digit first") << "1a" << false;
        QTest::newRow("blank inside") << "a b" << false;
        QTest::newRow("accented letter") << QString::fromUtf8("caf\u00e9") << false;
        QTest::newRow("Greek letter") << QString::fromUtf8("\u03b1") << false;
        QTest::newRow("full-width digit") << QString::fromUtf8("a\uff11") << false;
        QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("a\u0661") << false;
        QTest::newRow("letter beyond the basic plane") << QString::fromUtf8("a\U0001D400") << false;
        QTest::newRow("plus-minus sign") << QString::fromUtf8("\u00b112V") << false;
    }

    void identifiers()
    {
        QFETCH(QString, text);
        QTEST(tk::isIdentifier(text), "identifier");
    }

    void hexDigits()
    {
        const QString digits = QStringLiteral("0123456789abcdefABCDEF");
        const QList<int> values { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15 };
        for (qsizetype i = 0; i < digits.size(); ++i)
            QCOMPARE(tk::hexValue(digits.at(i)), values.at(i));
        for (const QChar c : QStringLiteral("gG/:@`x \u0660\uff10"))
            QCOMPARE(tk::hexValue(c), -1);
    }
};

SETUP_TEST_MAIN(tst_CharacterClasses)
#include "tst_CharacterClasses.moc"

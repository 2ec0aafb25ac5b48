// The rules of the highlights' menus, without a menu bar: captions and
// names, where a new menu stands, identifiers from titles, and how Previous
// and Next go round a menu.

#include "TestMain.h"

#include "SetupCtrls/rules/HighlightMenuRules.h"

using namespace SetupTypes;

using namespace SetupCtrls;

class tst_HighlightMenuRules : public QObject {
    Q_OBJECT

private slots:
    void eachKindHasItsMenu_data()
    {
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("stem");
        QTest::newRow("options") << htOptions << "&Options"
                                 << "Options";
        QTest::newRow("settings") << htSettings << "&Settings"
                                  << "Settings";
        QTest::newRow("calibration") << htCalibration << "&Calibration"
                                     << "Calibration";
    }

    void eachKindHasItsMenu()
    {
        QFETCH(THighlightType, type);
        QFETCH(QString, caption);
        QFETCH(QString, stem);
        QCOMPARE(menuCaption(type), caption);
        QCOMPARE(menuStem(type), stem);
    }

    // The bar ends up: its own items, "&Settings", "&Calibration",
    // "&Options", then "&Help".
    void aNewMenuGoesBeforeTheMenusThatFollowIt_data()
    {
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<QStringList>("bar");
        QTest::addColumn<qsizetype>("index");
        using L = QStringList;
        QTest::newRow("settings before help") << htSettings << L { "&File", "&Help" } << qsizetype(1);
        QTest::newRow("options after settings") << htOptions << L { "&File", "&Settings", "&Help" } << qsizetype(2);
        QTest::newRow("calibration between") << htCalibration << L { "&File", "&Settings", "&Options", "&Help" } << qsizetype(2);
        QTest::newRow("settings before options") << htSettings << L { "&File", "&Options", "&Help" } << qsizetype(1);
        QTest::newRow("settings before calibration") << htSettings << L { "&File", "&Calibration" } << qsizetype(1);
        QTest::newRow("options after calibration") << htOptions << L { "&Calibration", "&Help" } << qsizetype(1);
        QTest::newRow("the first that follows, in bar order") << htCalibration << L { "&File", "&Help", "&Options" } << qsizetype(1);
        QTest::newRow("no help: at the end") << htOptions << L { "&File", "&Settings" } << qsizetype(2);
        QTest::newRow("captions compare exactly") << htOptions << L { "&File", "&help", "Help" } << qsizetype(3);
        QTest::newRow("empty bar") << htSettings << L {} << qsizetype(0);
    }

    void aNewMenuGoesBeforeTheMenusThatFollowIt()
    {
        QFETCH(THighlightType, type);
        QFETCH(QStringList, bar);
        QFETCH(qsizetype, index);
        QCOMPARE(menuInsertIndex(type, bar), index);
    }

    void titlesGiveIdentifiers_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("ident");
        QTest::addColumn<QString>("itemStem");
        QTest::newRow("accelerator") << "&External Power"
                                     << "ExternalPower"
                                     << "ExternalPower";
        QTest::newRow("leading sign and digits") << "±12V DAC Power"
                                                 << "VDACPower"
                                                 << "VDACPower";
        QTest::newRow("spaces") << "Output Voltage Range Jumpers"
                                << "OutputVoltageRangeJumpers"
                                << "OutputVoltageRangeJumpers";
        QTest::newRow("already an identifier") << "_Led2"
                                               << "_Led2"
                                               << "_Led2";
        QTest::newRow("digits kept after the start") << "2nd_Stage 3"
                                                     << "nd_Stage3"
                                                     << "nd_Stage3";
        QTest::newRow("letters beyond ASCII are dropped") << "Über Power"
                                                          << "berPower"
                                                          << "berPower";
        QTest::newRow("nothing to keep") << "12 34"
                                         << ""
                                         << "N";
        QTest::newRow("accelerators alone") << "&&"
                                            << ""
                                            << "N";
        QTest::newRow("empty") << ""
                               << ""
                               << "N";
    }

    void titlesGiveIdentifiers()
    {
        QFETCH(QString, title);
        QFETCH(QString, ident);
        QFETCH(QString, itemStem);
        QCOMPARE(identifierFrom(title), ident);
        QCOMPARE(menuItemStem(identifierFrom(title)), itemStem);
    }

    void previousAndNextGoRoundTheMenu_data()
    {
        QTest::addColumn<qsizetype>("index");
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<qsizetype>("wrapped");
        QTest::newRow("inside") << qsizetype(2) << qsizetype(5) << qsizetype(2);
        QTest::newRow("before the first: the last") << qsizetype(-1) << qsizetype(5) << qsizetype(4);
        QTest::newRow("after the last: the first") << qsizetype(5) << qsizetype(5) << qsizetype(0);
        QTest::newRow("a whole round back") << qsizetype(-6) << qsizetype(5) << qsizetype(4);
        QTest::newRow("two rounds on") << qsizetype(11) << qsizetype(5) << qsizetype(1);
        QTest::newRow("menu of one, back") << qsizetype(-1) << qsizetype(1) << qsizetype(0);
        QTest::newRow("menu of one, on") << qsizetype(1) << qsizetype(1) << qsizetype(0);
    }

    void previousAndNextGoRoundTheMenu()
    {
        QFETCH(qsizetype, index);
        QFETCH(qsizetype, count);
        QFETCH(qsizetype, wrapped);
        QCOMPARE(wrappedIndex(index, count), wrapped);
    }
};

SETUP_TEST_MAIN(tst_HighlightMenuRules)
#include "tst_HighlightMenuRules.moc"

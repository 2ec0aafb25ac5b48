#include "template/SettingsSummary.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "template/RangeItems.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TLabel.h"

#include <QStringList>

#include <algorithm>

namespace {

// A jumper picture and the captions beside its first and second pin pair,
// which are the names the board prints there.
struct Jumper {
    const char* picture;
    const char* firstPair;
    const char* secondPair;
};
constexpr Jumper kPower { "BusPowerJumper", "Label1", "Label2" };
constexpr Jumper kSpan { "RangeJumper", "Label3", "Label4" };
constexpr Jumper kPolarity { "PolarityJumper", "Label5", "Label6" };

struct CapWords {
    QString where; // "no cap", "cap on VUSB"
    QString gives; // "+5V from the USB bus"
};

CapWords capWords(const TMainForm& page, const Jumper& jumper)
{
    const auto* picture = page.part<TThreeJumper>(jumper.picture);
    CapWords words { QStringLiteral("no cap"), picture->positionText() };
    const char* pair = picture->JumperState() == SetupTypes::jsLeft ? jumper.firstPair
        : picture->JumperState() == SetupTypes::jsRight             ? jumper.secondPair
                                                                    : nullptr;
    if (pair) {
        const QString name = page.part<TLabel>(pair)->caption();
        words.where = QStringLiteral("cap on ") + name;
        // Position names may already start with the pair's name.
        const QString named = name + QStringLiteral(": ");
        if (words.gives.startsWith(named))
            words.gives = words.gives.mid(named.size());
    }
    return words;
}

// The board's names of the channels the range jumpers serve, from the
// circles that show the range panel: "CH0–CH7".
QString channels(const TMainForm& page)
{
    const auto* panel = page.part<TRadioPanel>("RSettingsPanel");
    QStringList names;
    for (const auto* circle : page.part<QWidget>("BoardImage1")->findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly))
        if (circle->RadioPanel() == panel)
            names.push_back(circle->toolTip().section(QLatin1Char(':'), 0, 0));
    // CH10 after CH9: shorter names first.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    if (names.size() < 2)
        return names.value(0, QStringLiteral("every channel"));
    return names.first() + QChar(0x2013) + names.last();
}

}

QString settingsSummary(const TMainForm& page)
{
    const CapWords power = capWords(page, kPower);
    const CapWords span = capWords(page, kSpan);
    const CapWords polarity = capWords(page, kPolarity);
    // The range the jumpers give, whatever the selector's edit field shows.
    const int item = rangeItems::rangeItem(page.part<TThreeJumper>(kSpan.picture)->JumperState(),
        page.part<TThreeJumper>(kPolarity.picture)->JumperState());
    const QString range = QStringLiteral("Output range %1 on %2.")
                              .arg(page.part<TComboBox>("ComboBox1")->itemText(item), channels(page));
    return QStringLiteral("%1: %2 \u2014 %3. %4 Span jumpers %5: %6 (%7); polarity jumpers %8: %9 (%10).")
        .arg(page.part<TThreeJumper>(kPower.picture)->toolTip(), power.where, power.gives, range,
            page.part<TThreeJumper>(kSpan.picture)->toolTip(), span.where, span.gives,
            page.part<TThreeJumper>(kPolarity.picture)->toolTip(), polarity.where, polarity.gives);
}

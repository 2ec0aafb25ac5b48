#include "SetupCtrls/rules/HighlightMenuRules.h"

#include "toolkit/text/CharacterClasses.h"

#include <algorithm>

using namespace SetupTypes;

namespace SetupCtrls {

namespace {

    // The menus that a new menu of the kind goes before, in the bar's order.
    QStringList menusAfter(THighlightType type)
    {
        switch (type) {
        case htOptions:
            return { QStringLiteral("&Help") };
        case htSettings:
            return { QStringLiteral("&Calibration"), QStringLiteral("&Options"), QStringLiteral("&Help") };
        case htCalibration:
            return { QStringLiteral("&Options"), QStringLiteral("&Help") };
        }
        return {};
    }

}

QString menuCaption(THighlightType type)
{
    switch (type) {
    case htOptions:
        return QStringLiteral("&Options");
    case htSettings:
        return QStringLiteral("&Settings");
    case htCalibration:
        return QStringLiteral("&Calibration");
    }
    return {};
}

QString menuStem(THighlightType type)
{
    return menuCaption(type).remove(u'&');
}

qsizetype menuInsertIndex(THighlightType type, const QStringList& barCaptions)
{
    const QStringList after = menusAfter(type);
    for (qsizetype i = 0; i < barCaptions.size(); ++i)
        if (after.contains(barCaptions.at(i)))
            return i;
    return barCaptions.size();
}

// "±12V DAC Power" -> "VDACPower": the menu item's component name is built
// from it, and a component name must be an identifier.
QString identifierFrom(const QString& title)
{
    if (title.isEmpty() || tk::isIdentifier(title))
        return title;
    qsizetype start = 0;
    while (start < title.size() && !tk::isIdentifierStart(title.at(start)))
        ++start;
    QString ident;
    for (qsizetype i = start; i < title.size(); ++i)
        if (i == start || tk::isIdentifierPart(title.at(i)))
            ident.append(title.at(i));
    return ident;
}

QString menuItemStem(const QString& identTitle)
{
    // Windows' menu designer names an item whose caption has nothing to name
    // it by "N" and a number; a bare number would be no identifier.
    return identTitle.isEmpty() ? QStringLiteral("N") : identTitle;
}

qsizetype wrappedIndex(qsizetype index, qsizetype count)
{
    return (index % count + count) % count;
}

}

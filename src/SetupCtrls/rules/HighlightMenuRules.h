#pragma once
// The rules by which highlights list themselves in the menu bar: which menu
// a kind goes to and where that menu stands, the names of menus and items,
// and the way Previous and Next go round a menu.

#include "SetupCtrls/board/SetupTypes.h"

#include <QString>
#include <QStringList>

namespace SetupCtrls {

// Caption of the menu that holds the items of a kind ("&Settings").
QString menuCaption(SetupTypes::THighlightType type);
// The stem of that menu's component name: its caption without "&".
QString menuStem(SetupTypes::THighlightType type);
// Where a new menu of the kind goes in a bar whose top-level items carry
// these captions: before the first of the menus that follow it and "&Help",
// at the end when there is none.
qsizetype menuInsertIndex(SetupTypes::THighlightType type, const QStringList& barCaptions);

// A title reduced to an identifier: kept when it is one (or empty);
// otherwise cut to start at its first ASCII letter or "_", with every later
// character that is no letter, digit or "_" taken out.
QString identifierFrom(const QString& title);
// The stem of a menu item's component name for a highlight with this
// identifier.
QString menuItemStem(const QString& identTitle);

// index taken round a menu of count items, so that one before the first is
// the last and one after the last is the first; count must not be 0.
qsizetype wrappedIndex(qsizetype index, qsizetype count);

}

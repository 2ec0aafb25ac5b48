#pragma once
// The setup supporter's request for the one-line description of an
// installed card: an optional method of the owner taking (Sender, CardIndex,
// 0-based) and returning the text, empty when there is nothing to show or
// the event is unassigned. The USB-QT30-5E page assigns none.

#include "toolkit/app/TEvent.h"

#include <QString>

using TPCIEvent = TEvent<QString(QObject* Sender, int CardIndex)>;

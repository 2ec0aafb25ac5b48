#pragma once
// The setup supporter's request for one channel's calibration reading: an
// optional method of the owner taking (Sender, Channel, ItsAllBad) and
// returning the reading's text, empty (ItsAllBad untouched) when unassigned.
// ItsAllBad is shared by every channel of a pass; a handler that got a good
// reading clears it. The USB-QT30-5E page assigns none, so its supporter
// never calibrates.

#include "toolkit/app/TEvent.h"

#include <QString>

using TCalibEvent = TEvent<QString(QObject* Sender, quint8 Channel, bool& ItsAllBad)>;

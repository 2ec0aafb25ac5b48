#pragma once
// The page's current choices in words, each jumper named as the board prints
// it beside its pins, for the person who carries the settings to the bench:
// copied with Ctrl+C and read out by screen readers.

class QString;
class TMainForm;

// "J1: cap on VUSB — +5V from the USB bus. Output range 0 to 10V on
// CH0–CH7. Span jumpers JP2, …: no cap (span 10V); polarity jumpers JP3, …:
// cap on UNI (unipolar)." Throws tk::Error when the page lacks a part it
// reads.
QString settingsSummary(const TMainForm& page);

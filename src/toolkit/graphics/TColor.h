#pragma once
// A colour as the form description and the controls store it: an RGB value
// (red in the low byte) or a system colour such as the button face, resolved
// against the application's palette when drawn.

#include <QColor>
#include <QMetaType>
#include <QString>
#include <optional>

struct TColor {
    quint32 value = 0;

    static constexpr quint32 SystemFlag = 0xFF000000u;

    static constexpr TColor rgb(int r, int g, int b)
    {
        return TColor { quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16) };
    }
    constexpr bool isSystem() const { return (value & SystemFlag) == SystemFlag; }
    constexpr bool operator==(const TColor&) const = default;

    QColor toQColor() const;

    // "clGray", "clBtnFace", "#RRGGBB"; nothing for anything else.
    static std::optional<TColor> fromName(const QString& name);
    QString name() const;
};

Q_DECLARE_METATYPE(TColor)

inline constexpr TColor clBlack = TColor::rgb(0, 0, 0);
inline constexpr TColor clMaroon = TColor::rgb(128, 0, 0);
inline constexpr TColor clGray = TColor::rgb(128, 128, 128);
inline constexpr TColor clYellow = TColor::rgb(255, 255, 0);
inline constexpr TColor clWhite = TColor::rgb(255, 255, 255);
inline constexpr TColor clRed = TColor::rgb(255, 0, 0);
inline constexpr TColor clBlue = TColor::rgb(0, 0, 255);
inline constexpr TColor clBtnFace { TColor::SystemFlag | 15u };
inline constexpr TColor clWindow { TColor::SystemFlag | 5u };
inline constexpr TColor clWindowText { TColor::SystemFlag | 8u };

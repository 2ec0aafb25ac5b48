#include "toolkit/graphics/TColor.h"

#include <QApplication>
#include <QPalette>
#include <array>

namespace {

struct Named {
    const char* name;
    TColor color;
};

constexpr std::array kNamed {
    Named { "clBlack", clBlack },
    Named { "clMaroon", clMaroon },
    Named { "clGray", clGray },
    Named { "clYellow", clYellow },
    Named { "clWhite", clWhite },
    Named { "clRed", clRed },
    Named { "clBlue", clBlue },
    Named { "clBtnFace", clBtnFace },
    Named { "clWindow", clWindow },
    Named { "clWindowText", clWindowText },
};

}

QColor TColor::toQColor() const
{
    if (!isSystem())
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    const QPalette palette = QApplication::palette();
    switch (value & 0xFF) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
        return palette.color(QPalette::WindowText);
    case 15:
        return palette.color(QPalette::Button);
    default:
        return palette.color(QPalette::Window);
    }
}

std::optional<TColor> TColor::fromName(const QString& name)
{
    for (const Named& n : kNamed)
        if (name == QLatin1String(n.name))
            return n.color;
    if (name.size() == 7 && name.startsWith(u'#')) {
        bool ok = false;
        const uint rgb = name.mid(1).toUInt(&ok, 16);
        if (ok)
            return TColor::rgb(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    }
    return std::nullopt;
}

QString TColor::name() const
{
    for (const Named& n : kNamed)
        if (n.color == *this)
            return QString::fromLatin1(n.name);
    return toQColor().name().toUpper();
}

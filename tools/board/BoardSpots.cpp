#include "board/BoardSpots.h"

#include "toolkit/app/Error.h"
#include "toolkit/form/FormParser.h"

#include <QFile>

namespace board {

namespace {

    using Object = tk::FormParser::Object;
    using Property = tk::FormParser::Property;

    // The circles are children of the board picture; any depth will do.
    void collect(const Object& object, const QString& path, Spots& spots)
    {
        for (const auto& member : object.members) {
            const auto* child = std::get_if<Object>(&member);
            if (!child)
                continue;
            collect(*child, path, spots);
            if (child->className != QLatin1String("TBoardHighlight"))
                continue;
            QMap<QString, int> geometry;
            for (const auto& m : child->members)
                if (const auto* p = std::get_if<Property>(&m); p && p->value.kind == tk::FormParser::Value::Kind::Integer)
                    geometry.insert(p->name, p->value.integer);
            for (const char* side : { "Left", "Top", "Width", "Height" })
                if (!geometry.contains(QLatin1String(side)))
                    throw tk::Error(QStringLiteral("%1:%2: circle %3 has no %4").arg(path).arg(child->line).arg(child->name, QLatin1String(side)));
            spots.insert(child->name,
                QRectF(geometry["Left"], geometry["Top"], geometry["Width"], geometry["Height"]));
        }
    }

} // namespace

Spots readSpots(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw tk::Error(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const Object root = tk::FormParser(QString::fromUtf8(file.readAll()), path).parse();
    Spots spots;
    collect(root, path, spots);
    if (spots.isEmpty())
        throw tk::Error(QStringLiteral("%1 places no circle").arg(path));
    return spots;
}

} // namespace board

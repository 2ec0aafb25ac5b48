#include "toolkit/app/LayoutFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QSet>

namespace tk {

namespace {

    constexpr const char* LayoutFontFiles[] = { "ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf" };

    // DejaVu Sans was drawn on Verdana's proportions; the others are the usual
    // stand-ins, nearest first.
    constexpr const char* VerdanaStandIns[] = { "DejaVu Sans", "Bitstream Vera Sans", "Liberation Sans" };

    QSet<QString>& registeredFiles()
    {
        static QSet<QString> files;
        return files;
    }

    void mapVerdana()
    {
        const QString verdana = QStringLiteral("Verdana");
        if (QFontDatabase::hasFamily(verdana) || !QFont::substitutes(verdana).isEmpty())
            return;
        for (const char* standIn : VerdanaStandIns) {
            const QString family = QString::fromLatin1(standIn);
            if (QFontDatabase::hasFamily(family)) {
                QFont::insertSubstitution(verdana, family);
                return;
            }
        }
    }

}

QStringList registerLayoutFonts(const QString& folder)
{
    QStringList families;
    const QDir dir(folder);
    for (const char* name : LayoutFontFiles) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (registeredFiles().contains(path) || !QFileInfo::exists(path))
            continue;
        // An unreadable or damaged file is skipped: the system's fallback
        // still draws every text, only wider.
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            continue;
        registeredFiles().insert(path);
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!families.contains(family))
                families.append(family);
    }
    mapVerdana();
    return families;
}

bool hasDefaultFormFont()
{
    return QFontDatabase::hasFamily(defaultFormFont().family());
}

QFont defaultFormFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

}

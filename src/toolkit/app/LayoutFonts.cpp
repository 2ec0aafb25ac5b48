#include "toolkit/app/LayoutFonts.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSet>
#include <QWidget>
#include <cmath>

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
    if (folder.isEmpty()) {
        mapVerdana();
        return families;
    }
    const QDir dir(folder);
    for (const char* name : LayoutFontFiles) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (registeredFiles().contains(path) || !QFileInfo(path).isFile())
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

namespace {

    // Whether the face drawing font has its letters at ratio times the size
    // it draws them at on a normal screen.
    bool drawsAtRatio(const QFont& font, qreal ratio)
    {
        const QFontInfo info(font);
        if (QFontDatabase::isScalable(info.family(), info.styleName()))
            return true;
        const qreal deviceSize = info.pixelSize() * ratio;
        if (std::abs(deviceSize - std::round(deviceSize)) > 0.01)
            return false;
        QFont strike = font;
        strike.setPixelSize(int(std::round(deviceSize)));
        const QFontInfo found(strike);
        return found.family() == info.family() && found.pixelSize() == strike.pixelSize();
    }

    class RatioFollower : public QObject {
    public:
        explicit RatioFollower(QWidget* window)
            : QObject(window)
            , m_window(window)
            , m_laidOut(window->font())
        {
            setObjectName(QStringLiteral("qt_ratio_font"));
            window->installEventFilter(this);
            apply();
        }

        QFont laidOut() const { return m_laidOut; }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched != m_window)
                return false;
            switch (event->type()) {
            case QEvent::FontChange:
                if (!m_applying) {
                    m_laidOut = m_window->font();
                    apply();
                }
                break;
            // The screen (and with it the ratio) is known for certain once
            // the window exists, and changes when it moves.
            case QEvent::Show:
            case QEvent::ScreenChangeInternal:
                apply();
                break;
            default:
                break;
            }
            return false;
        }

    private:
        void apply()
        {
            const QFont wanted = fontForRatio(m_laidOut, m_window->devicePixelRatioF());
            if (wanted == m_window->font())
                return;
            m_applying = true;
            m_window->setFont(wanted);
            m_applying = false;
        }

        QWidget* m_window;
        QFont m_laidOut;
        bool m_applying = false;
    };

    RatioFollower* followerOf(const QWidget* window)
    {
        // Found by name: the follower is no meta-object class of its own.
        return window ? static_cast<RatioFollower*>(window->findChild<QObject*>(QStringLiteral("qt_ratio_font"), Qt::FindDirectChildrenOnly))
                      : nullptr;
    }

}

QFont fontForRatio(const QFont& font, qreal ratio)
{
    if (qFuzzyCompare(ratio, 1.0) || drawsAtRatio(font, ratio))
        return font;
    QFont standIn = font;
    standIn.setFamilies({});
    standIn.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return standIn;
}

void followDevicePixelRatio(QWidget* window)
{
    if (!followerOf(window))
        new RatioFollower(window);
}

QFont laidOutFont(const QWidget* widget)
{
    const QWidget* window = widget->window();
    if (const RatioFollower* follower = followerOf(window); follower && widget->font() == window->font())
        return follower->laidOut();
    return widget->font();
}

}

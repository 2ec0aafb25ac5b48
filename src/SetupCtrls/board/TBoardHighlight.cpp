#include "SetupCtrls/board/TBoardHighlight.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/form/Components.h"
#include "toolkit/graphics/Rounding.h"
#include "toolkit/platform/ExactClass.h"
#include "toolkit/text/CharacterClasses.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace SetupTypes;

namespace {

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

// Windows' menu designer names an item whose caption has nothing to name it
// by "N" and a number; a bare number would be no identifier.
const QString NamelessItemStem = QStringLiteral("N");

int channel(QRgb colour, int shift)
{
    return int((colour >> shift) & 0xFF);
}

}

TBoardHighlight::TBoardHighlight(QWidget* parent)
    : QWidget(parent)
{
    resize(DefaultSize, DefaultSize);
    // The field starts at the first kind, so that this write fills in the
    // colour scheme as a changed value does.
    setHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight() = default;

void TBoardHighlight::setHighlightType(THighlightType value)
{
    if (m_highlightType == value)
        return;
    m_highlightType = value;
    switch (value) {
    case htOptions:
        m_tintColor = clBlue;
        m_idleAlpha = 0.25f;
        m_ringAlpha = 1.0f;
        m_hoverAlpha = 0.5f;
        break;
    case htSettings:
        m_tintColor = clYellow;
        m_idleAlpha = 0.5f;
        m_ringAlpha = 1.0f;
        m_hoverAlpha = 0.75f;
        break;
    case htCalibration:
        m_tintColor = clRed;
        m_idleAlpha = 0.5f;
        m_ringAlpha = 1.0f;
        m_hoverAlpha = 0.75f;
        break;
    }
    update();
}

void TBoardHighlight::setRadioPanel(TRadioPanel* value)
{
    if (m_radioPanel == value)
        return;
    if (!value) {
        m_radioPanel = nullptr;
        return;
    }
    // A panel belongs to one group: its popup moves the panel in for good.
    if (QWidget* parent = parentWidget()) {
        for (QObject* child : parent->children()) {
            if (child == this || !tk::isExactly<TBoardHighlight>(child))
                continue;
            const auto* other = static_cast<const TBoardHighlight*>(child);
            if (other->RadioPanel() == value
                && (other->Title() != m_title || other->HighlightType() != m_highlightType))
                return;
        }
    }
    m_radioPanel = value;
}

void TBoardHighlight::setTitle(const QString& value)
{
    if (m_title == value)
        return;
    m_title = value;
    m_displayTitle = value;
    m_displayTitle.remove(u'&');
    m_identTitle = identifierFrom(value);
}

TMainMenu* TBoardHighlight::LinkedMenu() const
{
    return m_linkedMenu.data();
}

const QImage& TBoardHighlight::CurrentImage() const
{
    if (m_active && m_lit)
        return m_ringImage;
    if (m_active || m_lit)
        return m_hoverImage;
    return m_idleImage;
}

bool TBoardHighlight::inGroupWith(const QObject* child) const
{
    if (!tk::isExactly<TBoardHighlight>(child))
        return false;
    const auto* other = static_cast<const TBoardHighlight*>(child);
    return other->Title() == m_title && other->HighlightType() == m_highlightType;
}

QList<QPointer<TBoardHighlight>> TBoardHighlight::groupMembers() const
{
    // Taken before anyone is called: a member's popup can raise highlights
    // and so reorder the very list being walked.
    QList<QPointer<TBoardHighlight>> members;
    QWidget* parent = parentWidget();
    if (!tk::isExactly<TBoardImage>(parent))
        return members;
    for (QObject* child : parent->children())
        if (inGroupWith(child))
            members.append(static_cast<TBoardHighlight*>(child));
    return members;
}

void TBoardHighlight::MouseEnter(int relay)
{
    if (m_lit)
        return;
    m_lit = true;
    update();
    if (m_createPopup)
        ShowPopup();
    if (relay == 1)
        return;
    for (const QPointer<TBoardHighlight>& member : groupMembers())
        if (member)
            member->MouseEnter(1);
}

void TBoardHighlight::MouseLeave(int relay)
{
    // Lit stays: only the popup's closing darkens the group.
    if (!m_lit)
        return;
    if (m_popup && !m_pinned) {
        if (m_popup->frameGeometry().contains(QCursor::pos())) {
            setPopupEnteredFromHover(true);
            KeepPopup();
        } else {
            ClosePopup();
        }
    }
    if (relay == 1)
        return;
    for (const QPointer<TBoardHighlight>& member : groupMembers())
        if (member)
            member->MouseLeave(1);
}

void TBoardHighlight::Click()
{
    // A failing handler is reported, and the click still pins the popup.
    tk::guarded([this] { m_onClick(this); });
    KeepPopup();
}

void TBoardHighlight::KeepPopup()
{
    if (m_popup) {
        m_pinned = true;
        CheckMenuEntry(true);
    }
    for (const QPointer<TBoardHighlight>& member : groupMembers())
        if (member)
            member->KeepOwnPopup();
}

void TBoardHighlight::KeepOwnPopup()
{
    if (!m_popup)
        return;
    // Closed from the keyboard while the mouse rested on the highlight, the
    // popup is hidden and no mouse-enter comes to show it; the click asked
    // for it, so it comes back as the mouse entering would bring it.
    if (m_popup->isHidden())
        MouseEnter(0);
    m_pinned = true;
    CheckMenuEntry(true);
    if (m_popup->isVisible()) {
        m_popup->raise();
        m_popup->activateWindow();
    }
}

void TBoardHighlight::SetActive(bool value, bool relay)
{
    m_active = value;
    raise();
    update();
    QWidget* parent = parentWidget();
    if (!relay || !tk::isExactly<TBoardImage>(parent))
        return;
    // Each member raised goes to the end of the list; the walk stops before
    // the ones already raised, so every member moves once and the members
    // keep their order among themselves.
    qsizetype n = parent->children().size();
    for (qsizetype i = 0; i < n;) {
        QObject* child = parent->children().at(i);
        if (child != this && inGroupWith(child)) {
            static_cast<TBoardHighlight*>(child)->SetActive(value, false);
            --n;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::Unlight()
{
    m_lit = false;
    update();
}

void TBoardHighlight::ShowPopup()
{
    if (m_popup) {
        if (m_popup->isHidden())
            m_pinned = false;
        m_popup->show();
        m_popup->raise();
        m_popup->activateWindow();
        return;
    }

    // The group's popup may be another member's; that member has the
    // mouse-enter relayed and shows it. Windows without a Tag are no popups.
    const int tag = int(m_highlightType);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const QVariant windowTag = window->property("Tag");
        if (window->windowTitle() == m_displayTitle && windowTag.metaType() == QMetaType::fromType<int>()
            && windowTag.toInt() == tag)
            return;
    }

    auto* popup = new TPopupForm(this);
    m_popup = popup;
    m_pinned = false;

    TRadioPanel* panel = m_radioPanel;
    int memoHeight = TRadioPanel::DefaultMemoHeight;
    QPoint laidOut;
    if (panel) {
        memoHeight = panel->MemoHeight();
        laidOut = panel->pos();
        popup->adoptPanel(panel, memoHeight);
    } else {
        popup->requestOuterSize(TPopupForm::PanellessOuterSize);
    }
    popup->setWindowTitle(m_displayTitle);
    popup->fitToMinimum(TPopupForm::MinimumOuterSize);
    popup->setTag(tag);

    // The panel's place on the main window, shifted by as much as the board
    // has moved since its first paint. The client coordinates serve as
    // screen coordinates, unconverted, as they always have.
    QWidget* parent = parentWidget();
    const QRect parentGeometry = parent ? parent->geometry() : QRect();
    QPoint shift;
    if (auto* board = tk::exactCast<TBoardImage>(parent))
        shift = QPoint(board->LayoutLeft(), board->LayoutTop()) - laidOut;
    if (!panel)
        shift = QPoint(0, -(parentGeometry.height() + 38));
    const QPoint at = parentGeometry.topLeft() - shift;

    popup->buildControls(memoHeight);
    if (panel) {
        popup->StatusMemo()->setPlainText(panel->Lines().join(u'\n'));
        panel->setStatusMemo(popup->StatusMemo());
    }
    popup->placeAt(at);

    popup->show();
    popup->raise();
    popup->activateWindow();
    if (panel)
        panel->setFocus();
    else
        popup->DoneButton()->setFocus();
}

void TBoardHighlight::ClosePopup()
{
    if (m_popup)
        m_popup->close();
}

void TBoardHighlight::PopupClose()
{
    CheckMenuEntry(false);
    setPopupEnteredFromHover(false);
    Unlight();
    for (const QPointer<TBoardHighlight>& member : groupMembers())
        if (member)
            member->Unlight();
}

QString TBoardHighlight::menuCaption(THighlightType type)
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

QString TBoardHighlight::menuStem(THighlightType type)
{
    QString stem = menuCaption(type);
    return stem.remove(u'&');
}

QList<TMenuItem*> TBoardHighlight::typeMenus() const
{
    QList<TMenuItem*> menus;
    if (!m_linkedMenu)
        return menus;
    const QString caption = menuCaption(m_highlightType);
    for (TMenuItem* item : m_linkedMenu->items())
        if (item->caption() == caption)
            menus.append(item);
    return menus;
}

void TBoardHighlight::RegisterMenuEntry()
{
    TMainMenu* bar = m_linkedMenu;
    if (!bar)
        return;
    // The items belong to the form that owns the bar, as if they had been
    // part of its description.
    QObject* owner = tk::ownerOf(bar);
    QObject* holder = owner ? owner : bar;
    const QList<TMenuItem*> present = bar->items();

    const QList<TMenuItem*> menus = typeMenus();
    TMenuItem* menu = menus.value(0);
    if (menu) {
        for (const TMenuItem* item : menu->items())
            if (item->caption() == m_title)
                return;
    } else {
        menu = new TMenuItem(holder);
        menu->setObjectName(tk::uniqueName(owner, menuStem(m_highlightType)));
        tk::setOwner(menu, owner);
        menu->setCaption(menuCaption(m_highlightType));
        const QStringList after = menusAfter(m_highlightType);
        int index = int(present.size());
        for (int i = 0; i < present.size(); ++i) {
            if (after.contains(present.at(i)->caption())) {
                index = i;
                break;
            }
        }
        bar->insertItem(index, menu);
    }
    if (m_title.isEmpty())
        return;

    auto* item = new TMenuItem(holder);
    item->setObjectName(tk::uniqueName(owner, m_identTitle.isEmpty() ? NamelessItemStem : m_identTitle));
    tk::setOwner(item, owner);
    item->setCaption(m_title);
    item->setOnClick(TNotifyEvent::bind(this, &TBoardHighlight::MenuEntryClick));
    menu->add(item);
}

void TBoardHighlight::CheckMenuEntry(bool value)
{
    for (TMenuItem* menu : typeMenus()) {
        for (TMenuItem* item : menu->items()) {
            if (item->caption() == m_title) {
                item->setChecked(value);
                return;
            }
        }
    }
}

void TBoardHighlight::MenuEntryClick(QObject* Sender)
{
    // The item's mark is as it was before the click: the item leaves it to
    // this handler.
    auto* item = qobject_cast<TMenuItem*>(Sender);
    if (item && item->isChecked()) {
        if (m_popup) {
            ClosePopup();
            return;
        }
        for (const QPointer<TBoardHighlight>& member : groupMembers())
            if (member && member->Popup())
                member->MenuEntryClick(Sender);
        return;
    }
    MouseEnter(0);
    KeepPopup();
    MouseLeave(0);
}

void TBoardHighlight::walkMenu(int step)
{
    for (TMenuItem* menu : typeMenus()) {
        const QList<TMenuItem*> items = menu->items();
        qsizetype own = -1;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items.at(i)->caption() == m_title) {
                own = i;
                break;
            }
        }
        if (own < 0)
            continue;
        // Items that no highlight put there (a separator, say) are passed
        // over; in a menu of one the walk comes back to this item.
        const qsizetype count = items.size();
        TMenuItem* target = nullptr;
        for (qsizetype k = 1; k <= count && !target; ++k) {
            TMenuItem* candidate = items.at(((own + step * k) % count + count) % count);
            if (candidate->onClick().assigned())
                target = candidate;
        }
        ClosePopup();
        if (target)
            target->onClick()(this);
        return;
    }
}

void TBoardHighlight::PreviousClick(QObject*)
{
    walkMenu(-1);
}

void TBoardHighlight::NextClick(QObject*)
{
    walkMenu(1);
}

void TBoardHighlight::DoneClick(QObject*)
{
    ClosePopup();
}

void TBoardHighlight::setPopup(TPopupForm* popup)
{
    m_popup = popup;
}

void TBoardHighlight::setPopupEnteredFromHover(bool value)
{
    if (m_popup)
        m_popup->setEnteredFromHover(value);
}

// Qt cannot read back what the parent has painted, and grabbing the parent
// from inside a paint would paint this control again. So the picture beneath
// is drawn afresh: the board photograph as the board draws it, then the
// earlier siblings as they paint now. Later siblings and this control
// itself are above it and never part of it.
QImage TBoardHighlight::composeBeneath() const
{
    QImage beneath(size(), QImage::Format_RGB32);
    if (beneath.isNull())
        return beneath;
    QWidget* parent = parentWidget();
    if (!parent) {
        beneath.fill(palette().color(QPalette::Window));
        return beneath;
    }
    beneath.fill(parent->palette().color(parent->backgroundRole()));

    QPainter painter(&beneath);
    if (auto* board = qobject_cast<TBoardImage*>(parent)) {
        painter.save();
        painter.translate(-pos());
        board->drawPicture(painter);
        painter.restore();
    }
    const QRect own = geometry();
    const QObjectList siblings = parent->children();
    for (QObject* child : siblings) {
        if (child == this)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent)
            || !sibling->geometry().intersects(own))
            continue;
        const QPoint offset = sibling->pos() - pos();
        if (auto* highlight = qobject_cast<TBoardHighlight*>(sibling)) {
            // One that has not painted yet has shown nothing so far.
            if (highlight->Initialised())
                painter.drawImage(offset, highlight->CurrentImage());
        } else {
            QWidget::RenderFlags flags = QWidget::DrawChildren;
            if (sibling->autoFillBackground())
                flags |= QWidget::DrawWindowBackground;
            sibling->render(&painter, offset, QRegion(), flags);
        }
    }
    return beneath;
}

void TBoardHighlight::BuildImages()
{
    const QImage beneath = composeBeneath();
    m_idleImage = beneath;
    TintEllipse(m_idleImage, m_tintColor, m_idleAlpha, false);
    m_ringImage = beneath;
    TintEllipse(m_ringImage, m_tintColor, m_ringAlpha, true);
    m_hoverImage = beneath;
    TintEllipse(m_hoverImage, m_tintColor, m_hoverAlpha, false);
}

// Everything in 32-bit floats, products and sums included: a channel that
// lands on an exact half must land there on every machine, so that it
// rounds to the same even neighbour.
void TBoardHighlight::TintEllipse(QImage& image, TColor tint, float alpha, bool ring)
{
    const int width = image.width();
    const int height = image.height();
    // The steps below divide by width - 1 and height - 1.
    if (width < 2 || height < 2)
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);

    const float tintRed = float(channel(tint.value, 0));
    const float tintGreen = float(channel(tint.value, 8));
    const float tintBlue = float(channel(tint.value, 16));
    const float stepX = 2.0f / float(width - 1);
    const float stepY = 2.0f / float(height - 1);

    for (int d = 0; d < height; ++d) {
        const float y = stepY * float(d) - 1.0f;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(d));
        for (int e = 0; e < width; ++e) {
            const float x = stepX * float(e) - 1.0f;
            const float f = x * x + y * y;
            if (f >= 1.0f)
                continue;
            QRgb base = row[e];
            float l = 0.16f;
            // Compared as the real number 0.5929, which no float equals.
            if (double(f) >= 0.5929) {
                l = 1.0f - std::fabs(std::sqrt(f) - 0.875f) * 8.0f;
                if (ring) {
                    l = 2.0f * l;
                    if (l > 1.0f) {
                        l = 2.0f - l;
                        base = qRgb(255, 255, 255);
                    }
                }
            }
            const float m = l * alpha;
            const float o = 1.0f - m;
            const auto blend = [m, o](int own, float tinted) {
                const float value = o * float(own) + m * tinted;
                return std::clamp(tk::roundHalfEven(value), 0, 255);
            };
            const QRgb tinted = qRgb(blend(qRed(base), tintRed), blend(qGreen(base), tintGreen),
                blend(qBlue(base), tintBlue));
            row[e] = (row[e] & 0xFF000000u) | (tinted & 0x00FFFFFFu);
        }
    }
}

void TBoardHighlight::paintEvent(QPaintEvent*)
{
    if (!m_initialised) {
        BuildImages();
        auto* board = tk::exactCast<TBoardImage>(parentWidget());
        m_linkedMenu = board ? board->Menu() : nullptr;
        // Set before registering: a registration that fails is reported
        // once, not again at every repaint.
        m_initialised = true;
        if (board)
            tk::guarded([this] { RegisterMenuEntry(); });
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), CurrentImage());
}

void TBoardHighlight::enterEvent(QEnterEvent*)
{
    tk::guarded([this] { MouseEnter(0); });
}

void TBoardHighlight::leaveEvent(QEvent*)
{
    tk::guarded([this] { MouseLeave(0); });
}

void TBoardHighlight::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    event->accept();
}

void TBoardHighlight::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint()))
        tk::guarded([this] { Click(); });
}

void TBoardHighlight::mouseDoubleClickEvent(QMouseEvent* event)
{
    // There is no double-click event, and the second press of a double click
    // starts no click of its own.
    event->accept();
}

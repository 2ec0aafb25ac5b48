#include "toolkit/controls/TComboBox.h"

#include "toolkit/app/ErrorReport.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionComboBox>

TComboBox::TComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // What the user types is a value, never a new item.
    setInsertPolicy(QComboBox::NoInsert);
    // activated comes from the user only; currentIndexChanged would also
    // report the program's own changes.
    connect(this, &QComboBox::activated, this, &TComboBox::raiseChange);
    makeEditable(true);
}

void TComboBox::makeEditable(bool editable)
{
    if (editable == isEditable())
        return;
    if (!editable) {
        setEditable(false);
        return;
    }
    // setEditable(true) would also build the drop-down list's window and
    // view only to set their scroll bar, which costs more than the rest of
    // the combo; the list waits until it is first opened (showPopup).
    auto* editor = new QLineEdit(this);
    editor->setPalette(palette());
    setLineEdit(editor);
    // Inline completion would turn "a" into "apple" while the user types,
    // so the text would match items the user never chose.
    editor->setCompleter(nullptr);
    connect(editor, &QLineEdit::textEdited, this, &TComboBox::textEdited);
    connect(editor, &QLineEdit::editingFinished, this, &TComboBox::editingFinished);
    connect(editor, &QLineEdit::textChanged, this, &TComboBox::textSetElsewhere);
}

void TComboBox::showPopup()
{
    // What setEditable(true) does to the list, done when it is first needed.
    if (isEditable()) {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        if (style()->styleHint(QStyle::SH_ComboBox_Popup, &option, this))
            view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    QComboBox::showPopup();
}

void TComboBox::textSetElsewhere(const QString& text)
{
    // Typing and pasting mark the field modified and come through
    // textEdited; the combo's own writes are the program's. What is left is
    // text set from outside, through a screen reader's interface say: the
    // user's choice as much as a choice from the list.
    if (m_writingOwnText || lineEdit()->isModified())
        return;
    const int named = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (named == currentIndex())
        return;
    if (named >= 0) {
        setCurrentIndex(named);
        raiseChange();
        return;
    }
    // Text that names no item gives way to the selected item at once: there
    // is no editing to wait for the end of.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isEditable() && itemIndex() < 0 && currentIndex() >= 0)
                QComboBox::setEditText(itemText(currentIndex()));
        },
        Qt::QueuedConnection);
}

void TComboBox::textEdited(const QString& text)
{
    // Text that names an item selects it, so that the item shown again
    // after the user's stray typing is the one last named.
    const int named = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (named >= 0 && named != currentIndex()) {
        QLineEdit* editor = lineEdit();
        const int cursor = editor->cursorPosition();
        setCurrentIndex(named);
        editor->setCursorPosition(cursor);
    }
    raiseChange();
}

void TComboBox::editingFinished()
{
    // Nothing is raised: the text changes back to what the selection already
    // stands for.
    if (isEditable() && itemIndex() < 0)
        setEditText(itemText(currentIndex()));
}

void TComboBox::raiseChange()
{
    tk::guarded([this] { m_onChange(this); });
}

void TComboBox::setComboStyle(TComboBoxStyle style)
{
    if (style == comboStyle())
        return;
    makeEditable(style == csDropDown);
}

QStringList TComboBox::items() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result.append(itemText(i));
    return result;
}

void TComboBox::setItems(const QStringList& items)
{
    if (items == this->items())
        return;
    const QScopedValueRollback writing(m_writingOwnText, true);
    const QString text = currentText();
    clear();
    addItems(items);
    // Qt selects the first item of a list that was empty; a fresh list has
    // no choice made yet.
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(text);
}

int TComboBox::itemIndex() const
{
    if (!isEditable())
        return currentIndex();
    // While the user types, Qt keeps the index of the item last chosen.
    const QString text = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()) == text)
        return currentIndex();
    return findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TComboBox::setItemIndex(int index)
{
    if (index < -1 || index >= count())
        index = -1;
    const QString text = itemText(index);
    if (index == currentIndex() && (!isEditable() || currentText() == text))
        return;
    const QScopedValueRollback writing(m_writingOwnText, true);
    setCurrentIndex(index);
    if (isEditable() && currentText() != text)
        setEditText(text);
}

void TComboBox::setItemHeight(int height)
{
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
}

void TComboBox::setOnChange(const TNotifyEvent& handler)
{
    if (handler == m_onChange)
        return;
    m_onChange = handler;
}

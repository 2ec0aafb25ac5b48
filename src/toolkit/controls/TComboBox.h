#pragma once
// A drop-down list, editable or not, whose OnChange reports only what the
// user does (choosing an item, typing), never changes made by the program.
// An edit field never keeps text that names no item: when the user is done
// with it (Enter, or the focus leaves), it shows the selected item again.
// Text set in the field from outside the combo and its typing (through a
// screen reader's interface) counts as the user's: naming an item, it
// selects it and raises OnChange; naming none, it gives way at once.
//
// The edit field is made when the combo is first shown, or first asked for
// through lineEdit() or given text that no item shows: a new field lays its
// empty text out in the application's font, loading that font, which a
// combo still hidden (on a popup's panel) need not do at start-up. Until
// then it shows what the field would: the selected item's text. So that
// every caller sees the field as made, isEditable(), setEditable(),
// lineEdit() and setEditText() are the combo's own.

#include "toolkit/app/TNotifyEvent.h"

#include <QComboBox>
#include <QStringList>

class TComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(TComboBoxStyle Style READ comboStyle WRITE setComboStyle)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemIndex READ itemIndex WRITE setItemIndex)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(TNotifyEvent OnChange READ onChange WRITE setOnChange)

public:
    enum TComboBoxStyle {
        csDropDown, // an edit field with a list
        csDropDownList, // a choice from the list only
    };
    Q_ENUM(TComboBoxStyle)

    explicit TComboBox(QWidget* parent = nullptr);

    TComboBoxStyle comboStyle() const { return isEditable() ? csDropDown : csDropDownList; }
    void setComboStyle(TComboBoxStyle style);

    bool isEditable() const { return m_editorPending || QComboBox::isEditable(); }
    void setEditable(bool editable) { makeEditable(editable); }
    // The edit field, made now if it is still to be made; none when the
    // combo is a choice from the list only.
    QLineEdit* lineEdit() const;
    void setEditText(const QString& text);

    QStringList items() const;
    // Replaces the list; no item is selected afterwards, an edit field keeps its text.
    void setItems(const QStringList& items);

    // For an edit field, the item whose text is exactly the field's, or -1.
    int itemIndex() const;
    // An index outside the list selects nothing. Raises no OnChange.
    void setItemIndex(int index);

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);

    const TNotifyEvent& onChange() const { return m_onChange; }
    void setOnChange(const TNotifyEvent& handler);

    void showPopup() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Gives the combo its edit field (when first shown or needed), or takes
    // it away.
    void makeEditable(bool editable);
    void makeEditor() const;
    void prepareEditor();
    void raiseChange();
    void textEdited(const QString& text);
    void editingFinished();
    void textSetElsewhere(const QString& text);

    int m_itemHeight = 13; // the Windows toolkit's default for its standard font
    mutable bool m_editorPending = false;
    // The combo itself is writing the field's text.
    bool m_writingOwnText = false;
    TNotifyEvent m_onChange;
};

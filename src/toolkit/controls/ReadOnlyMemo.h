#pragma once
// Makes the read-only text boxes that dialogs and popups show their
// explanations in: a vertical scroll bar always there, no horizontal one,
// lines wrapped at the box's width, and a cursor that the arrow keys move,
// so that a screen reader reads the line it comes to; Tab leaves the box.

#include <QPlainTextEdit>
#include <QString>
#include <QTextEdit>

namespace tk {

// A new box of the kind (QPlainTextEdit or QTextEdit) named name, a child of
// parent; its geometry is the caller's to set.
template <class Edit>
Edit* newReadOnlyMemo(QWidget* parent, const QString& name)
{
    auto* memo = new Edit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode(Edit::WidgetWidth);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setTabChangesFocus(true);
    return memo;
}

}

#include "toolkit/layout/TabOrder.h"

#include <QWidget>

namespace tk {

void setFirstInTabOrder(std::initializer_list<QWidget*> controls)
{
    if (controls.size() == 0 || !*controls.begin())
        return;
    QWidget* window = (*controls.begin())->window();
    // The window heads its own focus chain, but Qt links a control after it
    // only while the window itself accepts the focus.
    const Qt::FocusPolicy policy = window->focusPolicy();
    window->setFocusPolicy(Qt::TabFocus);
    QWidget* previous = window;
    for (QWidget* control : controls) {
        if (!control || control->window() != window)
            continue;
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    window->setFocusPolicy(policy);
}

}

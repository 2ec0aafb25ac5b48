#include "toolkit/layout/ScrollingClient.h"

#include <QApplication>
#include <QMainWindow>
#include <QScrollArea>

namespace tk {

QWidget* makeScrollingClient(QMainWindow* window)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("qt_client_scroller"));
    area->setFrameShape(QFrame::NoFrame);
    // Not a stop of the keyboard's walk: the controls on the page are.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    auto* client = new QWidget;
    area->setWidget(client);
    window->setCentralWidget(area);
    // Whatever takes the focus on the page is brought into view, by Tab or
    // by any other walk.
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget*, QWidget* now) {
        if (now && area->widget() && area->widget()->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
    return client;
}

QScrollArea* scrollerOf(const QWidget* page)
{
    if (!page || !page->parentWidget())
        return nullptr;
    auto* area = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget());
    return area && area->widget() == page ? area : nullptr;
}

void setPageSize(QWidget* page, QSize size)
{
    if (page->minimumSize() == size)
        return;
    page->setMinimumSize(size);
    // The scroll area learns of its page's sizes only when it lays out.
    if (QScrollArea* area = scrollerOf(page)) {
        QEvent request(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(area, &request);
    }
}

QPoint placeInClient(const QWidget* control)
{
    const QWidget* page = control->parentWidget();
    if (QScrollArea* area = scrollerOf(page))
        return page->mapTo(area, control->pos());
    return control->pos();
}

}

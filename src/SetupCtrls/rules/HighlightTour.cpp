#include "SetupCtrls/rules/HighlightTour.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/rules/HighlightMenuRules.h"
#include "toolkit/platform/ExactClass.h"

#include <algorithm>
#include <utility>

using namespace SetupTypes;

namespace SetupCtrls {

namespace {

    // The members of a group open one popup, as their one menu item does:
    // the walk stops at the first of them only.
    QList<TBoardHighlight*> onePerGroup(const QList<TBoardHighlight*>& tour, const QWidget* board)
    {
        if (!tk::isExactly<TBoardImage>(board))
            return tour;
        QList<TBoardHighlight*> stops;
        for (TBoardHighlight* highlight : tour) {
            const bool grouped = tk::isExactly<TBoardHighlight>(highlight);
            const bool seen = grouped && std::any_of(stops.begin(), stops.end(), [highlight](const TBoardHighlight* stop) {
                return tk::isExactly<TBoardHighlight>(stop) && stop->Title() == highlight->Title()
                    && stop->HighlightType() == highlight->HighlightType();
            });
            if (!seen)
                stops.append(highlight);
        }
        return stops;
    }

}

QList<TBoardHighlight*> highlightTour(const QWidget* board)
{
    QList<TBoardHighlight*> rest;
    if (!board)
        return rest;
    TMainMenu* bar = nullptr;
    for (QObject* child : board->children()) {
        auto* highlight = qobject_cast<TBoardHighlight*>(child);
        if (!highlight || !highlight->isVisibleTo(board) || !highlight->isEnabled())
            continue;
        rest.append(highlight);
        if (!bar)
            bar = highlight->LinkedMenu();
    }
    // Raising a group reorders the children: the tour reads the page
    // instead, row by row, so that it stays the same whatever was raised.
    std::stable_sort(rest.begin(), rest.end(), [](const TBoardHighlight* a, const TBoardHighlight* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    if (!bar)
        return onePerGroup(rest, board);

    QList<TBoardHighlight*> tour;
    for (THighlightType type : { htSettings, htCalibration, htOptions }) {
        const QString caption = menuCaption(type);
        for (TMenuItem* menu : bar->items()) {
            if (menu->caption() != caption)
                continue;
            for (TMenuItem* item : menu->items()) {
                for (auto it = rest.begin(); it != rest.end();) {
                    if ((*it)->HighlightType() == type && (*it)->Title() == item->caption()) {
                        tour.append(*it);
                        it = rest.erase(it);
                    } else {
                        ++it;
                    }
                }
            }
        }
    }
    return onePerGroup(tour + rest, board);
}

TBoardHighlight* tourNeighbour(const TBoardHighlight* from, int step)
{
    if (!from)
        return nullptr;
    const QList<TBoardHighlight*> tour = highlightTour(from->parentWidget());
    const qsizetype own = tour.indexOf(from);
    if (own < 0)
        return nullptr;
    return tour.at(wrappedIndex(own + step, tour.size()));
}

}

#pragma once
// A round lens over the board photograph: it draws the twice-size
// photograph at twice the page's scale around a point of the board, so that
// the names the board prints can be read. It takes neither focus nor mouse
// events, and lies under every popup window.

#include <QImage>
#include <QPointer>
#include <QWidget>

class TBoardImage;

class BoardLens : public QWidget {
    Q_OBJECT

public:
    static constexpr int Radius = 90;

    explicit BoardLens(TBoardImage* board);

    // Shows the lens centred on the board's point at, in the board's
    // coordinates.
    void showAt(QPoint at);
    // The board point the lens is centred on.
    QPoint centre() const { return m_centre; }
    // Where the board's point at falls in the twice-size photograph.
    QPointF photoPoint(QPoint at) const;
    // The photograph the lens draws from.
    const QImage& photo();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<TBoardImage> m_board;
    QImage m_photo;
    QPoint m_centre;
};

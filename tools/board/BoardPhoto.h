#pragma once

#include "board/BoardSpots.h"

#include <QImage>

constexpr int kPhotoWidth = 588;
constexpr int kPhotoHeight = 580;

// The board photograph at kPhotoWidth x kPhotoHeight, and the same board at
// twice that size for screens with two device pixels to the logical pixel.
struct BoardPhotos {
    QImage normal;
    QImage large;
};
// Every part a circle names goes under that circle of `spots`.
BoardPhotos paintBoardPhotos(const board::Spots& spots);

// The photograph with every circle's rectangle outlined, for checking the
// layout by eye.
QImage spotOverlay(const QImage& photo, const board::Spots& spots);

#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// The application highlights board parts with rectangles given in a 600x592
// frame, the photograph stretched to its on-screen size. These are copies of
// the application's rectangles, and the layout places every part relative to
// them; tests/template/tst_images.cpp checks that the parts land there.
struct Hotspot {
    QString name;
    QRectF rect; // in the 600x592 frame
};

const QList<Hotspot>& hotspots();

constexpr int kPhotoWidth = 588;
constexpr int kPhotoHeight = 580;

// The board photograph at kPhotoWidth x kPhotoHeight, and the same board at
// twice that size for screens with two device pixels to the logical pixel.
struct BoardPhotos {
    QImage normal;
    QImage large;
};
BoardPhotos paintBoardPhotos();

// The photograph with every hotspot outlined, for checking the layout by eye.
QImage hotspotOverlay(const QImage& photo);

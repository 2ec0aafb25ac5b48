#pragma once
// How large a picture the toolkit decodes. A file states its size in a few
// bytes before any pixel; checking that size first keeps a small file from
// making the program allocate more than a large photograph needs.

#include <QString>
#include <QtGlobal>

namespace tk {

// Far beyond any board photograph (588 x 580 on this page), and at 4 bytes a
// pixel 64 MiB at most.
constexpr qint64 LargestPictureSide = 16384;
constexpr qint64 LargestPictureArea = qint64(4096) * 4096;

constexpr bool pictureSizeAllowed(qint64 width, qint64 height)
{
    return width >= 1 && height >= 1 && width <= LargestPictureSide && height <= LargestPictureSide && width * height <= LargestPictureArea;
}

// Why a picture of that size is not read, to end a sentence that names the
// picture.
inline QString pictureSizeFault(qint64 width, qint64 height)
{
    if (width < 1 || height < 1)
        return QStringLiteral("it is %1 x %2 pixels, which is no picture").arg(width).arg(height);
    return QStringLiteral("it is %1 x %2 pixels, where at most %3 pixels, none wider or higher than %4, are read")
        .arg(width)
        .arg(height)
        .arg(LargestPictureArea)
        .arg(LargestPictureSide);
}

}

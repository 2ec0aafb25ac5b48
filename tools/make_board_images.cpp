// Generates the images the application ships as resources: the board
// photograph behind the circles, its parts placed where the page's form
// description puts the circles that name them, and the polarity legend of
// the DC jack, each at two densities, and the application icon.
// Output is deterministic; rerun it (the `images` target) after changing the
// drawing code and commit the results.

#include "ImageFiles.h"
#include "board/BoardPhoto.h"
#include "symbols/AppIcon.h"
#include "symbols/PowerSymbol.h"

#include "toolkit/app/Error.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kJpegQuality = 90;

int fail(const QString& message)
{
    std::fprintf(stderr, "make_board_images: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a platform plugin; the offscreen one works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 3 && !(args.size() == 5 && args.at(3) == QLatin1String("--overlay"))) {
        std::fprintf(stderr, "usage: make_board_images <form> <output-dir> [--overlay <png>]\n");
        return 2;
    }
    const QDir out(args.at(2));
    if (!out.exists() && !QDir().mkpath(out.path()))
        return fail(QStringLiteral("cannot create %1").arg(out.path()));

    board::Spots spots;
    BoardPhotos photos;
    try {
        spots = board::readSpots(args.at(1));
        photos = paintBoardPhotos(spots);
    } catch (const tk::Error& e) {
        return fail(e.message());
    }
    QString error;
    if (!writeBoardJpeg(photos.normal, out.filePath(QStringLiteral("board.jpg")), kJpegQuality, &error))
        return fail(error);
    if (!writeBoardJpeg(photos.large, out.filePath(QStringLiteral("board@2x.jpg")), kJpegQuality, &error))
        return fail(error);
    if (!writeFile(out.filePath(QStringLiteral("power.bmp")), encodeIndexedBmp(paintPowerSymbol()), &error))
        return fail(error);
    if (!writeFile(out.filePath(QStringLiteral("power@2x.bmp")), encodeIndexedBmp(paintPowerSymbol(2)), &error))
        return fail(error);
    if (!writeAppIcons(out.path(), &error))
        return fail(error);
    if (args.size() == 5 && !spotOverlay(photos.normal, spots).save(args.at(4), "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args.at(4)));
    return 0;
}

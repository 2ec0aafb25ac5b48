// Loads each input as the main window's form description, as the program
// loads its own: the page's classes, its handlers and its images beside it.

#include "FuzzApplication.h"

#include "template/TMainForm.h"
#include "toolkit/app/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

// A description file with the page's images folder linked beside it, so
// that image("images/board.jpg") finds the photograph.
QString descriptionPath()
{
    static QTemporaryDir directory;
    static const QString path = [] {
        if (!directory.isValid() || !QFile::link(QStringLiteral(PAGE_IMAGES), directory.filePath(QStringLiteral("images"))))
            qFatal("The fuzz target cannot prepare its folder %s", qPrintable(directory.path()));
        return directory.filePath(QStringLiteral("Fuzz.form"));
    }();
    return path;
}

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzing::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = descriptionPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        qFatal("The fuzz target cannot write %s", qPrintable(path));
    file.close();
    try {
        TMainForm form(path);
    } catch (const tk::Error&) {
        // A refused description is the expected outcome of most inputs.
    }
    fuzzing::settle();
    return 0;
}

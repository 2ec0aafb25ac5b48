// The binding is process-wide and, once complete, never repeats, so each
// scenario runs in a child process of this program with one fake driver
// library on its search path; the child prints what it saw after each step.

#include "LLKORDRV/LLKORDRV.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#ifndef KORDRV_FIXTURES
#error "tests/CMakeLists.txt must include LLKORDRV/fixtures.cmake"
#endif

using namespace LLKORDRV;

namespace {

// In binding order after GetNumCards; the fake library's export n returns n.
const std::array<EntryPoint*, 32> untyped { &QueryCardInfo, &QueryBARBase, &WaitForIRQ,
    &COSWaitForIRQ, &WDGHandleIRQ, &AbortRequest, &CloseCard, &WDGInit, &WDGSetTimeout,
    &WDGSetResetDuration, &WDGPet, &WDGReadTemp, &WDGReadStatus, &WDGStart, &WDGStop,
    &EmergencyReboot, &InPortB, &OutPortB, &InPort, &OutPort, &InPortL, &OutPortL, &InPortDWord,
    &OutPortDWord, &RelInPortB, &RelOutPortB, &RelInPort, &RelOutPort, &RelInPortL,
    &RelOutPortL, &RelInPortDWord, &RelOutPortDWord };

#ifdef Q_OS_WIN
const QString LibraryFile = QStringLiteral("KORDRV.dll");
#else
const QString LibraryFile = QStringLiteral("libKORDRV.so");
#endif

void planted()
{
}
int32_t plantedCount() { return 99; }

bool libraryInProcess()
{
#ifdef Q_OS_WIN
    return GetModuleHandleA("KORDRV.dll") != nullptr;
#else
    void* handle = dlopen("libKORDRV.so", RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
#endif
}

// DriverLibraryLoaded, library in the process, cardCount(), then one mark per
// entry point: '.' null, '+' bound to its own export, 's' still planted,
// '?' bound to some other export.
void report()
{
    std::string marks(1, !GetNumCards ? '.' : GetNumCards == plantedCount ? 's'
                                                                          : '+');
    for (size_t i = 0; i < untyped.size(); ++i) {
        const EntryPoint p = *untyped[i];
        const auto call = reinterpret_cast<int32_t (*)()>(p);
        marks += !p ? '.' : p == planted ? 's'
            : call() == int32_t(i + 2)   ? '+'
                                         : '?';
    }
    std::printf("%d %d %d %s\n", DriverLibraryLoaded, libraryInProcess(), cardCount(), marks.c_str());
}

// Before any call, after the first, and after a second with every pointer
// replaced by a planted value: a call that does no lookups keeps them all.
int runScenario()
{
    report();
    LoadDriverLibrary();
    report();
    GetNumCards = plantedCount;
    for (EntryPoint* pointer : untyped)
        *pointer = planted;
    LoadDriverLibrary();
    report();
    return 0;
}

}

class LLKORDRVTest : public QObject {
    Q_OBJECT

private slots:
    // fixture: the directory the library path names ("" none, "." the
    // working directory, "empty" one without a library); planted: a library
    // with all exports lies in the working directory.
    void binding_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("planted");
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("afterFirst");
        QTest::addColumn<QString>("afterSecond");
        const QString all(33, '+'), kept(33, 's');
        const QString noLast = all.left(32) + '.', noCount = '.' + all.left(32);
        const QString none = "0 0 0 " + QString(33, '.');
        QTest::newRow("no library") << "" << false << "3" << none << "0 0 99 " + kept;
        QTest::newRow("planted in the working directory, no library path") << "" << true << "3" << none << "0 0 99 " + kept;
        QTest::newRow("planted in the working directory, the path names another") << "empty" << true << "3" << none << "0 0 99 " + kept;
        QTest::newRow("planted in the working directory, the path names it") << "." << true << "3"
                                                                             << "1 1 3 " + all << "1 1 99 " + kept;
        QTest::newRow("all exports, 3 cards") << "full" << false
                                              << "3"
                                              << "1 1 3 " + all << "1 1 99 " + kept;
        QTest::newRow("all exports, no card") << "full" << false
                                              << "0"
                                              << "1 1 0 " + all << "1 1 99 " + kept;
        QTest::newRow("all exports, negative count") << "full" << false
                                                     << "-2"
                                                     << "1 1 -2 " + all << "1 1 99 " + kept;
        QTest::newRow("RelOutPortDWord missing") << "partial" << false
                                                 << "3"
                                                 << "0 1 3 " + noLast << "0 1 3 " + noLast;
        QTest::newRow("GetNumCards missing") << "nocount" << false
                                             << "3"
                                             << "0 1 0 " + noCount << "0 1 0 " + noCount;
    }

    void binding()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, planted);
        QFETCH(QString, cards);
        QFETCH(QString, afterFirst);
        QFETCH(QString, afterSecond);

#ifdef Q_OS_WIN
        const QString searchPath = "PATH";
#else
        const QString searchPath = "LD_LIBRARY_PATH";
#endif
        QTemporaryDir working;
        QVERIFY(working.isValid());
        QVERIFY(QDir(working.path()).mkdir("empty"));
        if (planted)
            QVERIFY(QFile::copy(KORDRV_FIXTURES "/full/" + LibraryFile, working.filePath(LibraryFile)));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
#ifndef Q_OS_WIN
        // Only what the row names: an inherited path could name anything.
        // (Windows keeps its PATH, without which the child finds no Qt.)
        env.remove(searchPath);
#endif
        if (!fixture.isEmpty()) {
            const QString inherited = env.value(searchPath);
            const QString dir = QDir::toNativeSeparators(fixture == "." || fixture == "empty" ? fixture : QStringLiteral(KORDRV_FIXTURES "/") + fixture);
            env.insert(searchPath, inherited.isEmpty() ? dir : dir + QDir::listSeparator() + inherited);
        }
        env.insert("KORDRV_FAKE_CARDS", cards);

        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(working.path());
        // Text: Windows ends the child's lines with \r\n.
        child.start(QCoreApplication::applicationFilePath(), { "--scenario" }, QIODevice::ReadWrite | QIODevice::Text);
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardError(), QByteArray()); // failures are silent
        const QStringList lines = QString::fromLatin1(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, QStringList({ "0 0 0 " + QString(33, '.'), afterFirst, afterSecond }));
    }
};

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--scenario") == 0)
        return runScenario();
    QCoreApplication app(argc, argv);
    LLKORDRVTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_LLKORDRV.moc"

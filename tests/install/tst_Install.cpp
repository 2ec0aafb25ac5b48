// The program as a desktop receives it: `cmake --install` into an empty
// prefix and the Debian package that `cpack` makes, checked with the tools
// that desktops and Debian check such files with.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kAppId = QStringLiteral("io.github.qt30setup.Setup");
const QString kCommand = QStringLiteral("usb-qt30-5e-setup");
const QList<int> kIconSizes { 16, 22, 24, 32, 48, 64, 128, 256 };

struct Result {
    int exitCode = -1;
    QString output; // standard output and error, interleaved
};

Result run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return { -1, QStringLiteral("%1 did not start: %2").arg(program, process.errorString()) };
    process.waitForFinished(90000);
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit)
        return { -1, QStringLiteral("%1 crashed\n%2").arg(program, output) };
    return { process.exitCode(), output };
}

QString describe(const QString& program, const Result& result)
{
    return QStringLiteral("%1 exited with %2:\n%3").arg(program).arg(result.exitCode).arg(result.output);
}

// Every file the install puts down, relative to the prefix.
QStringList installedFiles()
{
    QStringList files {
        QStringLiteral("bin/") + kCommand,
        QStringLiteral("share/applications/%1.desktop").arg(kAppId),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId),
        QStringLiteral("share/man/man1/%1.1.gz").arg(kCommand),
        QStringLiteral("share/doc/%1/copyright").arg(kCommand),
        QStringLiteral("share/doc/%1/changelog.gz").arg(kCommand),
    };
    for (int size : kIconSizes)
        files.append(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId));
    return files;
}

// The keys of the [Desktop Entry] group.
QMap<QString, QString> readDesktopEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QMap<QString, QString> keys;
    bool inEntry = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.contains(u'=') && !line.startsWith(u'#'))
            keys.insert(line.section(u'=', 0, 0).trimmed(), line.section(u'=', 1).trimmed());
    }
    return keys;
}

// The package names of a Depends field, without versions or alternatives' bars.
QStringList dependedPackages(const QString& field)
{
    QStringList names;
    for (const QString& item : field.split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts))
        names.append(item.trimmed().section(u' ', 0, 0));
    return names;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
        m_prefix = m_dir.filePath(QStringLiteral("usr"));
        const Result install = run(QStringLiteral(CMAKE_COMMAND_PATH),
            { QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), m_prefix });
        QVERIFY2(install.exitCode == 0, qPrintable(describe(QStringLiteral("cmake --install"), install)));

        const QString packageDir = m_dir.filePath(QStringLiteral("package"));
        const Result pack = run(QStringLiteral(CPACK_COMMAND_PATH),
            { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                QStringLiteral(BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), packageDir });
        QVERIFY2(pack.exitCode == 0, qPrintable(describe(QStringLiteral("cpack"), pack)));
        const QStringList debs = QDir(packageDir).entryList({ QStringLiteral("*.deb") }, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_package = QDir(packageDir).filePath(debs.first());

        const Result listing = run(QStringLiteral("dpkg-deb"), { QStringLiteral("--contents"), m_package });
        QVERIFY2(listing.exitCode == 0, qPrintable(describe(QStringLiteral("dpkg-deb --contents"), listing)));
        for (const QString& line : listing.output.split(u'\n', Qt::SkipEmptyParts))
            if (!line.startsWith(u'd'))
                m_packagedFiles.append(line.section(u' ', -1));
    }

    void installsEachFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        for (const QString& path : installedFiles())
            QTest::newRow(qPrintable(path)) << path << (path == QStringLiteral("bin/") + kCommand);
    }

    void installsEachFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo installed(m_prefix + u'/' + path);
        QVERIFY2(installed.isFile(), qPrintable(installed.filePath() + QStringLiteral(" is not installed")));
        QCOMPARE(installed.isExecutable(), executable);
    }

    void packageHoldsTheSameFiles()
    {
        QStringList expected;
        for (const QString& path : installedFiles())
            expected.append(QStringLiteral("./usr/") + path);
        QStringList packaged = m_packagedFiles;
        packaged.sort();
        expected.sort();
        QCOMPARE(packaged, expected);
    }

    void iconHasItsSize_data()
    {
        QTest::addColumn<int>("size");
        for (int size : kIconSizes)
            QTest::addRow("%dx%d", size, size) << size;
    }

    void iconHasItsSize()
    {
        QFETCH(int, size);
        const QString path = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png").arg(m_prefix).arg(size).arg(kAppId);
        const QImage icon(path);
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        // The board sits on a clear square, so no desktop shows a box around it.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void validatorsAccept_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("silent");
        const QString entry = QStringLiteral("share/applications/%1.desktop").arg(kAppId);
        const QString metainfo = QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId);
        const QString manual = QStringLiteral("share/man/man1/%1.1.gz").arg(kCommand);
        // desktop-file-validate and groff print warnings yet exit with 0.
        QTest::newRow("desktop entry") << QStringLiteral("desktop-file-validate") << QStringList { entry } << true;
        QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                                  << QStringList { QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo } << false;
        QTest::newRow("manual page") << QStringLiteral("sh")
                                     << QStringList { QStringLiteral("-c"), QStringLiteral("zcat \"$0\" | groff -man -Tutf8 -ww -z"), manual }
                                     << true;
        // whatis and apropos find the page only through its NAME section.
        QTest::newRow("manual page name") << QStringLiteral("lexgrog") << QStringList { manual } << false;
    }

    void validatorsAccept()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, silent);
        arguments.last() = m_prefix + u'/' + arguments.last();
        const Result result = run(program, arguments);
        QVERIFY2(result.exitCode == 0, qPrintable(describe(program, result)));
        if (silent)
            QVERIFY2(result.output.isEmpty(), qPrintable(describe(program, result)));
    }

    void desktopEntryReads_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("Type") << QStringLiteral("Type") << QStringLiteral("Application");
        QTest::newRow("Name") << QStringLiteral("Name") << QStringLiteral("USB-QT30-5E Setup");
        QTest::newRow("GenericName") << QStringLiteral("GenericName") << QStringLiteral("Jumper Setup Guide");
        QTest::newRow("Exec") << QStringLiteral("Exec") << kCommand;
        QTest::newRow("Icon") << QStringLiteral("Icon") << kAppId;
        // The class of the program's windows, by which desktops on X11 find
        // the entry of a window that was not started from it.
        QTest::newRow("StartupWMClass") << QStringLiteral("StartupWMClass") << QStringLiteral("Settings");
        QTest::newRow("Terminal") << QStringLiteral("Terminal") << QStringLiteral("false");
        QTest::newRow("Categories") << QStringLiteral("Categories") << QStringLiteral("Development;Electronics;");
    }

    void desktopEntryReads()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        const auto entry = readDesktopEntry(QStringLiteral("%1/share/applications/%2.desktop").arg(m_prefix, kAppId));
        QCOMPARE(entry.value(key), value);
    }

    void metainfoNamesTheEntryAndTheRelease()
    {
        QFile file(QStringLiteral("%1/share/metainfo/%2.metainfo.xml").arg(m_prefix, kAppId));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QMap<QString, QString> texts;
        QString releaseVersion;
        bool rated = false;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            if (name == QLatin1String("release"))
                releaseVersion = xml.attributes().value(QLatin1String("version")).toString();
            else if (name == QLatin1String("content_rating"))
                rated = true;
            else if (name == QLatin1String("id") || name == QLatin1String("launchable") || name == QLatin1String("image"))
                texts.insert(name, xml.readElementText());
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(texts.value(QStringLiteral("id")), kAppId);
        QCOMPARE(texts.value(QStringLiteral("launchable")), kAppId + QStringLiteral(".desktop"));
        QVERIFY2(texts.value(QStringLiteral("image")).startsWith(QLatin1String("https://")), "no screenshot");
        QVERIFY(rated);
        // The release that software centres show is the one packaged.
        const Result version = run(QStringLiteral("dpkg-deb"), { QStringLiteral("--field"), m_package, QStringLiteral("Version") });
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(releaseVersion, version.output.trimmed().section(u'-', 0, 0));
    }

    void packageDependsOn_data()
    {
        QTest::addColumn<QString>("package");
        // The libraries the program links, found in the binary...
        for (const char* library : { "libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libjpeg62-turbo" })
            QTest::newRow(library) << QString::fromLatin1(library);
        // ...and the font that stands in for the ones the page names.
        QTest::newRow("fonts-dejavu-core") << QStringLiteral("fonts-dejavu-core");
    }

    void packageDependsOn()
    {
        QFETCH(QString, package);
        const Result depends = run(QStringLiteral("dpkg-deb"), { QStringLiteral("--field"), m_package, QStringLiteral("Depends") });
        QVERIFY2(depends.exitCode == 0, qPrintable(describe(QStringLiteral("dpkg-deb --field"), depends)));
        // Debian 13 renamed the libraries of the 64-bit time change (t64).
        const QStringList names = dependedPackages(depends.output);
        QVERIFY2(names.contains(package) || names.contains(package + QStringLiteral("t64")), qPrintable(depends.output));
    }

    void lintianAccepts()
    {
        const Result lintian = run(QStringLiteral("lintian"), { QStringLiteral("--fail-on"), QStringLiteral("error,warning"), m_package });
        QVERIFY2(lintian.exitCode == 0, qPrintable(describe(QStringLiteral("lintian"), lintian)));
        QVERIFY2(!lintian.output.contains(QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)),
            qPrintable(lintian.output));
    }

    // The installed command answers as a Unix command does, --help and
    // --version without a display.
    void commandAnswers_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // the start of standard output
        QTest::addColumn<QString>("error"); // standard error
        QTest::newRow("--help") << QStringLiteral("--help") << false << 0 << QStringLiteral("Usage: %1 [options]\n").arg(kCommand) << QString();
        QTest::newRow("-h") << QStringLiteral("-h") << false << 0 << QStringLiteral("Usage: %1 [options]\n").arg(kCommand) << QString();
        QTest::newRow("--version") << QStringLiteral("--version") << false << 0 << QStringLiteral("%1 1.0\n").arg(kCommand) << QString();
        QTest::newRow("unknown option") << QStringLiteral("--colour") << true << 2 << QString()
                                        << QStringLiteral("%1: Unknown option 'colour'.\nTry '%1 --help' for more information.\n").arg(kCommand);
        QTest::newRow("unknown option, no display") << QStringLiteral("--colour") << false << 2 << QString()
                                                    << QStringLiteral("%1: Unknown option 'colour'.\nTry '%1 --help' for more information.\n").arg(kCommand);
        QTest::newRow("-v") << QStringLiteral("-v") << false << 0 << QStringLiteral("%1 1.0\n").arg(kCommand) << QString();
        QTest::newRow("argument") << QStringLiteral("board.jpg") << true << 2 << QString()
                                  << QStringLiteral("%1: takes no arguments, but was given \"board.jpg\".\nTry '%1 --help' for more information.\n").arg(kCommand);
    }

    void commandAnswers()
    {
        QFETCH(QString, argument);
        QFETCH(bool, display);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QProcess command;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            environment.remove(QString::fromLatin1(name));
        if (display)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        command.setProcessEnvironment(environment);
        command.start(m_prefix + QStringLiteral("/bin/") + kCommand, { argument });
        QVERIFY(command.waitForFinished(60000));
        QCOMPARE(command.exitStatus(), QProcess::NormalExit);
        QCOMPARE(command.exitCode(), exitCode);
        QVERIFY2(QString::fromLocal8Bit(command.readAllStandardOutput()).startsWith(output), qPrintable(output));
        QCOMPARE(QString::fromLocal8Bit(command.readAllStandardError()), error);
    }

private:
    QTemporaryDir m_dir;
    QString m_prefix;
    QString m_package;
    QStringList m_packagedFiles;
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_Install.moc"

#include "LaunchArguments.h"

#include <QTest>

// Which command-line arguments are files to open, and how they are made absolute.
class LaunchArgumentsTest : public QObject {
    Q_OBJECT

private slots:
    void files_data();
    void files();
};

void LaunchArgumentsTest::files_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    const QString program = QStringLiteral("/usr/bin/leaflow");
    QTest::newRow("no files") << QStringList{program} << QStringList{};
    QTest::newRow("relative paths, in order")
        << QStringList{program, "b.pdf", "sub/a.pdf"}
        << QStringList{"/home/ada/b.pdf", "/home/ada/sub/a.pdf"};
    QTest::newRow("absolute and dotted paths")
        << QStringList{program, "/tmp/x.pdf", "../y.pdf", "./z.pdf"}
        << QStringList{"/tmp/x.pdf", "/home/y.pdf", "/home/ada/z.pdf"};
    QTest::newRow("options are not files")
        << QStringList{program, "--verbose", "-x", "c.pdf"} << QStringList{"/home/ada/c.pdf"};
    QTest::newRow("after -- everything is a file")
        << QStringList{program, "--", "-odd.pdf", "--"}
        << QStringList{"/home/ada/-odd.pdf", "/home/ada/--"};
    QTest::newRow("file URLs")
        << QStringList{program, "file:///tmp/Kira%20s%C3%B6zle%C5%9Fmesi.pdf"}
        << QStringList{QStringLiteral("/tmp/Kira sözleşmesi.pdf")};
    QTest::newRow("localhost file URL")
        << QStringList{program, "file://localhost/tmp/f.pdf"} << QStringList{"/tmp/f.pdf"};
    QTest::newRow("other URLs are skipped")
        << QStringList{program, "file://server/share/a.pdf", "https://example.org/f.pdf", "d.pdf"}
        << QStringList{"/home/ada/d.pdf"};
    QTest::newRow("empty arguments are skipped") << QStringList{program, "", "e.pdf"}
                                                 << QStringList{"/home/ada/e.pdf"};
}

void LaunchArgumentsTest::files()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QCOMPARE(launchFiles(arguments, QStringLiteral("/home/ada")), files);
}

QTEST_GUILESS_MAIN(LaunchArgumentsTest)
#include "LaunchArgumentsTest.moc"

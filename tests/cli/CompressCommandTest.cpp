#include "CliRun.h"
#include "Fixtures.h"
#include "ImageFixtures.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// leaflow-cli compress: exit codes, what it prints, and what it writes.
class CompressCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void smallerResultIsWritten();
    void notSmallerWritesNothing();
    void badArguments_data();
    void badArguments();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    CliRun::Result run(const QStringList& arguments) const
    {
        return CliRun::run(arguments, m_dir.path(), path(QStringLiteral("config")));
    }

    QTemporaryDir m_dir;
};

void CompressCommandTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    ImageFixtures::Builder photo;
    photo.addPage(photo.image(ImageFixtures::Kind::rgb, 1800, 1000), QStringLiteral("photo"));
    photo.write(path(QStringLiteral("photo.pdf")));
    ImageFixtures::Builder text;
    text.addTextPage(QStringLiteral("words only"));
    text.write(path(QStringLiteral("text.pdf")));
}

void CompressCommandTest::smallerResultIsWritten()
{
    const qint64 before = QFileInfo(path(QStringLiteral("photo.pdf"))).size();
    const CliRun::Result result = run({QStringLiteral("compress"), QStringLiteral("--level=strong"),
                                       QStringLiteral("-o"), QStringLiteral("small.pdf"),
                                       QStringLiteral("photo.pdf")});
    QCOMPARE(result.exitCode, 0);
    const qint64 after = QFileInfo(path(QStringLiteral("small.pdf"))).size();
    QVERIFY(after > 0 && after < before);
    const QString printed = QString::fromUtf8(result.out);
    QVERIFY2(printed.contains(QString::number(before)) && printed.contains(QString::number(after)),
             qPrintable(printed));
    QCOMPARE(Fixtures::pageCount(path(QStringLiteral("small.pdf"))), 1);
}

void CompressCommandTest::notSmallerWritesNothing()
{
    const CliRun::Result result = run({QStringLiteral("compress"), QStringLiteral("-o"),
                                       QStringLiteral("text-out.pdf"), QStringLiteral("text.pdf")});
    QCOMPARE(result.exitCode, 3);
    QCOMPARE(QString::fromUtf8(result.err).trimmed(),
             QStringLiteral("Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni "
                            "dosya yazılmadı."));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("text-out.pdf"))));
}

void CompressCommandTest::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown level") << QStringList{QStringLiteral("--level=tiny"), QStringLiteral("-o"),
                                                  QStringLiteral("x.pdf"), QStringLiteral("photo.pdf")}
                                   << 2;
    QTest::newRow("no output") << QStringList{QStringLiteral("photo.pdf")} << 2;
    QTest::newRow("two inputs") << QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"),
                                               QStringLiteral("photo.pdf"), QStringLiteral("text.pdf")}
                                << 2;
    QTest::newRow("not a PDF") << QStringList{QStringLiteral("-o"), QStringLiteral("x.pdf"),
                                              QStringLiteral("missing.pdf")}
                               << 1;
}

void CompressCommandTest::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const CliRun::Result result = run(QStringList{QStringLiteral("compress")} + arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.pdf"))));
}

QTEST_GUILESS_MAIN(CompressCommandTest)
#include "CompressCommandTest.moc"

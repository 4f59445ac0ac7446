#include "AppProcess.h"

#include <QDirIterator>
#include <QImageReader>
#include <QSettings>
#include <QTest>

// The screenshot mode run as a real launch: six pictures at two pixels per point,
// the stored section as it was before, the user's data folder untouched.
class ScreenshotModeTest : public QObject {
    Q_OBJECT

private slots:
    void capturesEverySection_data();
    void capturesEverySection();
};

void ScreenshotModeTest::capturesEverySection_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("pixelWidth");
    QTest::newRow("default width, light, no section stored")
        << QString() << false << QString() << 2600;
    QTest::newRow("1000 points, dark, pages stored") << QStringLiteral("1000") << true
                                                      << QStringLiteral("pages") << 2000;
    QTest::newRow("abc width, history stored") << QStringLiteral("abc") << false
                                                << QStringLiteral("history") << 2600;
}

void ScreenshotModeTest::capturesEverySection()
{
    QFETCH(QString, width);
    QFETCH(bool, dark);
    QFETCH(QString, section);
    QFETCH(int, pixelWidth);

    AppHome home;
    if (!section.isEmpty()) {
        QSettings stored(home.settingsFile(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("section"), section);
    }
    const QString shots = home.root() + QStringLiteral("/shots/nested");
    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("LEAFLOW_SNAPSHOT"), shots);
    if (!width.isNull()) {
        env.insert(QStringLiteral("LEAFLOW_SNAPSHOT_WIDTH"), width);
    }
    if (dark) {
        env.insert(QStringLiteral("LEAFLOW_SNAPSHOT_DARK"), QString());
    }

    QProcess app;
    app.setProcessEnvironment(env);
    app.start(AppHome::program(), {});
    QVERIFY(app.waitForFinished(120000));
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    QCOMPARE(app.exitCode(), 0);

    QStringList names = QDir(shots).entryList(QDir::Files, QDir::Name);
    QCOMPARE(names, (QStringList{"compress.png", "history.png", "merge.png", "pages.png",
                                 "sign.png", "split.png"}));
    QSize first;
    for (const QString& name : names) {
        QImageReader reader(QDir(shots).filePath(name));
        QCOMPARE(reader.format(), QByteArray("png"));
        const QSize size = reader.size();
        QCOMPARE(size.width(), pixelWidth);
        // The content is 780 points high under the window's menu bar.
        QVERIFY2(size.height() % 2 == 0 && size.height() >= 2 * 780 &&
                     size.height() <= 2 * (780 + 60),
                 qPrintable(QString::number(size.height())));
        if (first.isValid()) {
            QCOMPARE(size, first);
        }
        first = size;
        const QImage image = reader.read();
        // The window's own background tells the appearance apart.
        const QColor corner = image.pixelColor(image.width() - 4, image.height() / 2);
        QCOMPARE(corner.lightnessF() < 0.5, dark);
    }

    QSettings stored(home.settingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.contains(QStringLiteral("section")), !section.isEmpty());
    QCOMPARE(stored.value(QStringLiteral("section")).toString(), section);

    QDirIterator written(home.data(), QDir::AllEntries | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    QVERIFY2(!written.hasNext(), qPrintable(written.hasNext() ? written.next() : QString()));
}

QTEST_MAIN(ScreenshotModeTest)
#include "ScreenshotModeTest.moc"

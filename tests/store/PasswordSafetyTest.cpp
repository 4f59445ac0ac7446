#include "Fixtures.h"
#include "StoreFixture.h"

#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// Passwords live in memory only: after every kind of run with protected
// inputs, no file the process wrote anywhere holds the password.
class PasswordSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void noPasswordReachesTheDisk();

private:
    std::unique_ptr<StoreEnvironment> m_environment;
};

static QString encryptedCopy(const QString& source, const QString& target, const QString& password)
{
    QProcess qpdf;
    qpdf.start("qpdf", {"--encrypt", password, password + "-owner", "256", "--", source, target});
    qpdf.waitForFinished(60000);
    return qpdf.exitCode() == 0 ? target : QString();
}

static QStringList filesHolding(const QString& root, const QString& password)
{
    const QList<QByteArray> forms = {
        password.toUtf8(),
        QByteArray(reinterpret_cast<const char*>(password.utf16()), password.size() * 2),
        password.toUtf8().toBase64(),
        password.toUtf8().toHex(),
    };
    QStringList holding;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = Fixtures::readBytes(path);
        for (const QByteArray& form : forms) {
            if (bytes.contains(form)) {
                holding.append(path);
                break;
            }
        }
    }
    return holding;
}

void PasswordSafetyTest::noPasswordReachesTheDisk()
{
    m_environment->reset();
    QSettings().setValue("revealAfter", true);
    const QString password = "Pw" + QUuid::createUuid().toString(QUuid::Id128);
    StoreFixture fixture(*m_environment);
    Store& store = *fixture.store;

    const QString lockedText = fixture.pdf("Gizli.pdf", 4, password);
    const QString lockedPhoto = encryptedCopy(fixture.imagePdf("Foto.pdf"),
                                              fixture.path("GizliFoto.pdf"), password);
    QVERIFY(!lockedPhoto.isEmpty());
    QFile::remove(fixture.path("Foto.pdf"));
    fixture.panels.passwordAnswers = QList<std::optional<QString>>(6, password);

    store.addFiles({lockedText, fixture.pdf("Açık.pdf", 1)}, AppSection::merge);
    store.addFiles({lockedText}, AppSection::split);
    store.addFiles({lockedPhoto, lockedText}, AppSection::compress);
    store.addFiles({lockedText}, AppSection::pages);
    QCOMPARE(fixture.panels.passwordAttempts.size(), 5);
    store.setPagesSelected({0});

    fixture.panels.saveAnswers = {fixture.path("Birleşik.pdf"), fixture.path("Düzenli.pdf")};
    fixture.panels.folderAnswers = {fixture.folder("parçalar"), fixture.folder("küçük")};
    for (AppSection section : {AppSection::merge, AppSection::split, AppSection::pages,
                               AppSection::compress}) {
        store.run(section);
        QVERIFY(fixture.waitIdle());
        QVERIFY2(!store.banner(section)->isError, qPrintable(store.banner(section)->text));
    }
    QCOMPARE(store.data().history.size(), 4);
    QCOMPARE(store.data().history.first().inputs, QStringList{"GizliFoto.pdf"});
    QCOMPARE(fixture.reveal.revealed.size(), 4);

    QSignalSpy ready(&store, &Store::thumbnailReady);
    store.requestThumbnail(*store.pagesFile(), 0, 80);
    QTRY_COMPARE(ready.count(), 1);

    for (const QStringList& outputs : fixture.reveal.revealed) {
        for (const QString& output : outputs) {
            QVERIFY2(!Fixtures::isEncrypted(output), qPrintable(output));
        }
    }
    fixture.store.reset();
    QSettings().sync();
    QVERIFY(QFileInfo::exists(m_environment->dataFolder() + "/data.json"));
    QCOMPARE(filesHolding(m_environment->root(), password), QStringList{});
}

QTEST_GUILESS_MAIN(PasswordSafetyTest)
#include "PasswordSafetyTest.moc"

#include "StoreFixture.h"

#include "tools/ToolTable.h"

#include "Fixtures.h"
#include "ImageFixtures.h"
#include "engine/include/PDFEngine.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTest>

StoreEnvironment::StoreEnvironment()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
    for (const QString& folder : {dataHome(), configHome(), tempHome(), outputHome()}) {
        QDir().mkpath(folder);
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("TMPDIR", QFile::encodeName(tempHome()));
}

void StoreEnvironment::reset() const
{
    QSettings().clear();
    QSettings().sync();
    QDir(dataFolder()).removeRecursively();
    QDir(outputHome()).removeRecursively();
    QDir().mkpath(outputHome());
}

QString StoreFixture::asciiTag(const QString& name)
{
    QString tag;
    for (const QChar c :
         QFileInfo(name).completeBaseName().normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 0x80) {
            tag.append(c);
        }
    }
    return tag;
}

StoreFixture::StoreFixture(const StoreEnvironment& environment, std::optional<DataFile> dataFile)
    : work(environment.outputHome())
{
    store = std::make_unique<Store>(dialogs, reveal, dataFile ? *std::move(dataFile) : DataFile(),
                                    [this] { ++broughtForward; });
    ToolTable::install(*store);
}

QString StoreFixture::pdf(const QString& name, int pages, const QString& userPassword)
{
    QString target = path(name);
    QList<Fixtures::Page> tagged = Fixtures::tagged(asciiTag(name) + "-", pages);
    Fixtures::Encryption encryption;
    if (!userPassword.isEmpty()) {
        encryption = {Fixtures::Cipher::aes256, userPassword, userPassword + "-owner"};
    }
    Fixtures::writePdf(target, tagged, encryption);
    return target;
}

QString StoreFixture::settledPdf(const QString& name, int pages)
{
    QString file = pdf(name, pages);
    const QString once = file + ".once";
    PDFEngine::run(PDFEngine::CompressJob{
        {PDFSource{file, std::nullopt}}, CompressionLevel::balanced, once, {}, {}});
    if (QFileInfo::exists(once)) {
        QFile::remove(file);
        QFile::rename(once, file);
    }
    return file;
}

QString StoreFixture::imagePdf(const QString& name, int pages)
{
    QString target = path(name);
    ImageFixtures::Builder builder;
    for (int page = 1; page <= pages; ++page) {
        builder.addPage(builder.image(ImageFixtures::Kind::rgb, 900, 700),
                        QFileInfo(name).completeBaseName() + "-" + QString::number(page));
    }
    builder.write(target);
    return target;
}

QString StoreFixture::file(const QString& name, const QByteArray& bytes)
{
    Fixtures::writeBytes(path(name), bytes);
    return path(name);
}

QString StoreFixture::folder(const QString& name) const
{
    work.mkpath(name);
    return work.filePath(name);
}

bool StoreFixture::waitIdle() const
{
    return QTest::qWaitFor([this] { return !store->busy().has_value(); }, 60000);
}

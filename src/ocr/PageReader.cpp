#include "ocr/PageReader.h"

#include "ocr/Languages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <stdexcept>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/renderer.h>

namespace {

bool stopRequested(void* stop, int /*words*/)
{
    return static_cast<const std::atomic<bool>*>(stop)->load();
}

// Tesseract's writer holds its file open until it is destroyed.
bool writeLayer(tesseract::TessBaseAPI& api, const QByteArray& base)
{
    tesseract::TessPDFRenderer renderer(base.constData(), api.GetDatapath(), /*textonly=*/true);
    return renderer.BeginDocument("") && renderer.AddImage(&api) && renderer.EndDocument();
}

[[noreturn]] void scratchFailed()
{
    throw std::runtime_error(
        QCoreApplication::translate(
            "Recognition",
            "Tanınan metin geçici bir dosyaya yazılamadı; diskte yer olduğundan emin ol.")
            .toStdString());
}

} // namespace

PageReader::PageReader(const QStringList& languages, const QString& scratch)
    : m_api(std::make_unique<tesseract::TessBaseAPI>()),
      m_scratch(QDir(scratch).filePath(QStringLiteral("reader-XXXXXX")))
{
    // Tesseract fails only when the first language cannot be read, and reads on without others.
    const QByteArray joined = Languages::joined(languages);
    if (m_api->Init(nullptr, joined.constData(), tesseract::OEM_LSTM_ONLY) != 0) {
        Languages::missing(QString::fromLatin1(joined.split('+').constFirst()));
    }
    Languages::require(*m_api, languages);
    m_api->SetPageSegMode(tesseract::PSM_AUTO);
    if (!m_scratch.isValid()) {
        scratchFailed();
    }
}

PageReader::~PageReader() = default;

std::optional<QByteArray> PageReader::layer(const QImage& grey, int dpi,
                                            const std::atomic<bool>& stop)
{
    m_api->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    m_api->SetSourceResolution(dpi);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = stopRequested;
    monitor.cancel_this = const_cast<std::atomic<bool>*>(&stop); // NOLINT: only read through
    const bool recognised = m_api->Recognize(&monitor) == 0;
    if (stop) {
        return std::nullopt;
    }
    if (!recognised) {
        throw std::runtime_error(
            QCoreApplication::translate("Recognition", "Bir sayfanın metni tanınamadı.")
                .toStdString());
    }
    const QString base = m_scratch.filePath(QStringLiteral("layer"));
    const QString path = base + QStringLiteral(".pdf");
    const bool written = writeLayer(*m_api, QFile::encodeName(base));
    QFile file(path);
    const bool read = written && file.open(QIODevice::ReadOnly);
    QByteArray bytes = read ? file.readAll() : QByteArray();
    file.close();
    QFile::remove(path);
    if (bytes.isEmpty()) {
        scratchFailed();
    }
    return bytes;
}

#include "Fixtures.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <stdexcept>

namespace Fixtures {

namespace {

QPDFObjectHandle rectangle(double x, double y, double w, double h)
{
    return QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(x, y, x + w, y + h));
}

QPDFObjectHandle helvetica(QPDF& pdf)
{
    return pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
}

QPDFObjectHandle newPage(QPDF& pdf, const Page& spec, QPDFObjectHandle resources,
                         const std::string& content)
{
    QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
    page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    page.replaceKey("/MediaBox", rectangle(0, 0, spec.width, spec.height));
    if (spec.cropBox) {
        const QRectF& c = *spec.cropBox;
        page.replaceKey("/CropBox", rectangle(c.x(), c.y(), c.width(), c.height()));
    }
    if (spec.rotate != 0) {
        page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(spec.rotate));
    }
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents", pdf.newStream(content));
    return pdf.makeIndirectObject(page);
}

std::string tagContent(const QString& tag, const char* font = "/F1")
{
    return "BT " + std::string(font) + " 24 Tf 72 72 Td (" + tag.toStdString() + ") Tj ET\n";
}

void writeEncrypted(QPDF& pdf, const QString& path, const Encryption& e)
{
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.setStaticID(true);
    std::string user = e.userPassword.toStdString();
    std::string owner = e.ownerPassword.toStdString();
    if (e.pdfDocPasswords) {
        QUtil::utf8_to_pdf_doc(e.userPassword.toStdString(), user);
        QUtil::utf8_to_pdf_doc(e.ownerPassword.toStdString(), owner);
    }
    if (!e.userPasswordBytes.isEmpty()) {
        user = e.userPasswordBytes.toStdString();
    }
    switch (e.cipher) {
    case Cipher::none: break;
    case Cipher::rc4_128:
        writer.setR3EncryptionParametersInsecure(user.c_str(), owner.c_str(), true, false, true,
                                                 true, true, true, qpdf_r3p_none);
        break;
    case Cipher::aes128:
        writer.setR4EncryptionParametersInsecure(user.c_str(), owner.c_str(), true, false, true,
                                                 true, true, true, qpdf_r3p_none, true, true);
        break;
    case Cipher::aes256:
        writer.setR6EncryptionParameters(user.c_str(), owner.c_str(), true, false, true, true, true,
                                         true, qpdf_r3p_none, true);
        break;
    }
    writer.write();
}

} // namespace

QList<Page> tagged(const QString& prefix, int count)
{
    QList<Page> pages;
    for (int i = 1; i <= count; ++i) {
        Page page;
        page.tag = prefix + QString::number(i);
        pages.append(page);
    }
    return pages;
}

void writePdf(const QString& path, const QList<Page>& pages, const Encryption& encryption)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = helvetica(pdf);
    QPDFPageDocumentHelper helper(pdf);
    for (const Page& spec : pages) {
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", font);
        resources.replaceKey("/Font", fonts);
        std::string content = tagContent(spec.tag);
        if (spec.block) {
            content += "q 0 g " + std::to_string(spec.width / 3) + " " +
                       std::to_string(spec.height / 3) + " " + std::to_string(spec.width / 3) +
                       " " + std::to_string(spec.height / 3) + " re f Q\n";
        }
        helper.addPage(QPDFPageObjectHelper(newPage(pdf, spec, resources, content)), false);
    }
    writeEncrypted(pdf, path, encryption);
}

void writeSharedResourcesPdf(const QString& path, int pages, int fonts, int images, int imageSide)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle fontDict = QPDFObjectHandle::newDictionary();
    for (int f = 0; f < fonts; ++f) {
        fontDict.replaceKey("/F" + std::to_string(f), helvetica(pdf));
    }
    QPDFObjectHandle imageDict = QPDFObjectHandle::newDictionary();
    for (int i = 0; i < images; ++i) {
        std::string samples(static_cast<size_t>(imageSide * imageSide), '\0');
        for (size_t s = 0; s < samples.size(); ++s) {
            samples[s] = static_cast<char>((s * 7 + static_cast<size_t>(i) * 13) % 251);
        }
        QPDFObjectHandle image = pdf.newStream(samples);
        image.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        image.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        image.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(imageSide));
        image.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(imageSide));
        image.getDict().replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
        image.getDict().replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        imageDict.replaceKey("/Im" + std::to_string(i), image);
    }
    QPDFObjectHandle resources = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    resources.replaceKey("/Font", pdf.makeIndirectObject(fontDict));
    resources.replaceKey("/XObject", pdf.makeIndirectObject(imageDict));

    QPDFPageDocumentHelper helper(pdf);
    for (int p = 0; p < pages; ++p) {
        const std::string font = "/F" + std::to_string(fonts > 0 ? p % fonts : 0);
        std::string content = tagContent(QStringLiteral("P%1").arg(p + 1), font.c_str());
        if (images > 0) {
            content += "q 100 0 0 100 72 400 cm /Im" + std::to_string(p % images) + " Do Q\n";
        }
        helper.addPage(QPDFPageObjectHelper(newPage(pdf, Page{}, resources, content)), false);
    }
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
}

void writeInheritingPdf(const QString& path, const QString& prefix, int count, int rotate,
                        const QRectF& cropBox)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = helvetica(pdf);
    QPDFPageDocumentHelper helper(pdf);
    for (const Page& spec : tagged(prefix, count)) {
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", font);
        resources.replaceKey("/Font", fonts);
        QPDFObjectHandle page = newPage(pdf, spec, resources, tagContent(spec.tag));
        page.removeKey("/MediaBox");
        helper.addPage(QPDFPageObjectHelper(page), false);
    }
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    root.replaceKey("/MediaBox", rectangle(0, 0, 612, 792));
    root.replaceKey("/CropBox",
                    rectangle(cropBox.x(), cropBox.y(), cropBox.width(), cropBox.height()));
    root.replaceKey("/Rotate", QPDFObjectHandle::newInteger(rotate));
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.write();
}

QStringList readTags(const QString& path, const QString& password)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData(), password.toStdString().c_str());
    static const QRegularExpression shown(QStringLiteral("\\(([^)]*)\\) Tj"));
    QStringList tags;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        Pl_Buffer buffer("contents");
        page.pipeContents(&buffer);
        std::unique_ptr<Buffer> data(buffer.getBuffer());
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data->getBuffer()),
                                                 static_cast<qsizetype>(data->getSize()));
        tags.append(shown.match(text).captured(1));
    }
    return tags;
}

int pageCount(const QString& path, const QString& password)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData(), password.toStdString().c_str());
    return static_cast<int>(QPDFPageDocumentHelper(pdf).getAllPages().size());
}

bool isEncrypted(const QString& path)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    return pdf.isEncrypted();
}

QList<int> readRotations(const QString& path)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    QList<int> rotations;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
        rotations.append(rotate.isInteger() ? rotate.getIntValueAsInt() : 0);
    }
    return rotations;
}

QList<QRectF> readCropBoxes(const QString& path)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    QList<QRectF> boxes;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        const QPDFObjectHandle::Rectangle r = page.getCropBox(false).getArrayAsRectangle();
        boxes.append(QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly));
    }
    return boxes;
}

int countObjectsOfType(const QString& path, const QByteArray& subtype)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    int count = 0;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        QPDFObjectHandle dict = object.isStream() ? object.getDict() : object;
        if (dict.isDictionary() && dict.getKey("/Subtype").isNameAndEquals(subtype.toStdString())) {
            ++count;
        }
    }
    return count;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

bool qpdfCheckIsClean(const QString& path)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    qpdf.waitForFinished(60000);
    return qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

} // namespace Fixtures

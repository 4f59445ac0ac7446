#include "Fixtures.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QCoreApplication>
#include <QDir>
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

// Opens path quietly: tests read back files the engine may have repaired.
void open(QPDF& pdf, const QString& path, const QString& password = {})
{
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData(), password.toStdString().c_str());
}

void writeEncrypted(QPDF& pdf, const QString& path, const Encryption& e)
{
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.setStaticID(true);
    const std::string user = e.userPasswordBytes.isEmpty() ? e.userPassword.toStdString()
                                                           : e.userPasswordBytes.toStdString();
    const std::string owner = e.ownerPassword.toStdString();
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
    QList<Page> pages(count);
    for (int i = 0; i < count; ++i) {
        pages[i].tag = prefix + QString::number(i + 1);
    }
    return pages;
}

void writePdf(const QString& path, const QList<Page>& pages, const Encryption& encryption)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    QPDFPageDocumentHelper helper(pdf);
    for (const Page& spec : pages) {
        QPDFObjectHandle resources = QPDFObjectHandle::parse("<< /Font << >> >>");
        resources.getKey("/Font").replaceKey("/F1", font);
        std::string content = "BT /F1 24 Tf 72 72 Td (" + spec.tag.toStdString() + ") Tj ET\n";
        if (spec.block) {
            content += "q 0 g " + std::to_string(spec.width / 3) + " " +
                       std::to_string(spec.height / 3) + " " + std::to_string(spec.width / 3) +
                       " " + std::to_string(spec.height / 3) + " re f Q\n";
        }
        QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page >>");
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
        helper.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    }
    writeEncrypted(pdf, path, encryption);
}

void inheritFromRoot(const QString& path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    for (const char* key : {"/Rotate", "/MediaBox", "/CropBox"}) {
        root.replaceKey(key, pages.front().getObjectHandle().getKey(key));
        for (QPDFPageObjectHelper& page : pages) {
            page.getObjectHandle().removeKey(key);
        }
    }
    const QString written = path + QStringLiteral(".tmp");
    writeEncrypted(pdf, written, {});
    QFile::remove(path);
    QFile::rename(written, path);
}

QStringList readTags(const QString& path, const QString& password)
{
    QPDF pdf;
    open(pdf, path, password);
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

bool isEncrypted(const QString& path)
{
    QPDF pdf;
    open(pdf, path);
    return pdf.isEncrypted();
}

QList<std::pair<int, QRectF>> readLayouts(const QString& path)
{
    QPDF pdf;
    open(pdf, path);
    QList<std::pair<int, QRectF>> layouts;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
        const QPDFObjectHandle::Rectangle r = page.getCropBox(false).getArrayAsRectangle();
        layouts.append({rotate.isInteger() ? rotate.getIntValueAsInt() : 0,
                        QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly)});
    }
    return layouts;
}

int countObjectsOfType(const QString& path, const QByteArray& subtype)
{
    QPDF pdf;
    open(pdf, path);
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

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot,
                                  QDir::Name);
}

bool qpdfCheckIsClean(const QString& path)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    qpdf.waitForFinished(60000);
    return qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

QString corpusFile(const QString& relative)
{
    return QDir(qEnvironmentVariable("LEAFLOW_SOURCE_DIR"))
        .absoluteFilePath(QStringLiteral("tests/corpus/") + relative);
}

bool fullSweep()
{
    return !qEnvironmentVariableIsEmpty("LEAFLOW_CORPUS");
}

QString sweepCorpus()
{
    if (!fullSweep()) {
        return corpusFile(QString());
    }
    // ctest runs each test in its own build folder, so a relative path is read from the project.
    return QDir::cleanPath(QDir(qEnvironmentVariable("LEAFLOW_SOURCE_DIR"))
                               .absoluteFilePath(qEnvironmentVariable("LEAFLOW_CORPUS")));
}

QList<qint64> childProcesses(const QString& name, qint64 parent)
{
    QList<qint64> found;
    const QString ppid = QString::number(parent != 0 ? parent : QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (comm) state ppid ...": the name may hold spaces, so it is read up to the last ')'.
        const QString line = QString::fromUtf8(stat.readAll());
        const qsizetype open = line.indexOf(u'(');
        const qsizetype close = line.lastIndexOf(u')');
        const QStringList rest = line.mid(close + 2).split(u' ');
        // A zombie has ended already; only its exit status is left to collect.
        if (open > 0 && close > open && rest.size() > 1 && rest[1] == ppid && rest[0] != "Z" &&
            line.mid(open + 1, close - open - 1) == name.left(15)) {
            found.append(pid.toLongLong());
        }
    }
    return found;
}

} // namespace Fixtures

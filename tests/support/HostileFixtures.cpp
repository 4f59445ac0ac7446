#include "HostileFixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
#include <QRandomGenerator>

namespace HostileFixtures {

namespace {

QPDFObjectHandle page(QPDF& pdf, const QPDFObjectHandle& resources)
{
    QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents", pdf.newStream("BT /F1 24 Tf 72 72 Td (bulky) Tj ET\n"));
    return pdf.makeIndirectObject(page);
}

void write(QPDF& pdf, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    QPDFWriter writer(pdf, name.constData());
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
}

// Deflate's bits go out least significant first; Huffman codes most significant first.
class BitWriter {
public:
    void bits(quint32 value, int count)
    {
        m_pending |= quint64(value) << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_bytes.push_back(char(m_pending & 0xff));
            m_pending >>= 8;
            m_count -= 8;
        }
    }
    void code(quint32 value, int count)
    {
        quint32 reversed = 0;
        for (int i = 0; i < count; ++i) {
            reversed = (reversed << 1) | ((value >> i) & 1);
        }
        bits(reversed, count);
    }
    std::string finish()
    {
        if (m_count > 0) {
            bits(0, 8 - m_count);
        }
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
    quint64 m_pending = 0;
    int m_count = 0;
};

// A zero, then copies of 258 zeros at 13 bits each: a few megabytes inflating to gigabytes.
std::string inflatingTo(qint64 size)
{
    BitWriter out;
    out.bits(1, 1);    // the last block
    out.bits(1, 2);    // fixed Huffman codes
    out.code(0x30, 8); // literal 0
    for (qint64 i = 0; i < size / 258; ++i) {
        out.code(0xc5, 8); // length 258
        out.code(0, 5);    // distance 1
    }
    out.code(0, 7); // end of block
    return std::string("\x78\x01", 2) + out.finish() + std::string(4, '\0');
}

} // namespace

void writeBulky(const QString& path, int pages, int megabytesPerPage)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    QPDFObjectHandle resources = QPDFObjectHandle::parse(
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>");
    std::string bulk(size_t(megabytesPerPage) << 20, '\0');
    for (int i = 0; i < pages; ++i) {
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(bulk.data()),
                                              bulk.size() / sizeof(quint32));
        QPDFObjectHandle p = page(pdf, resources);
        p.replaceKey("/LeaflowBulk", pdf.newStream(bulk));
        document.addPage(QPDFPageObjectHelper(p), false);
    }
    write(pdf, path);
}

void writeMemoryBomb(const QString& path, qint64 inflatedBytes)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    QPDFObjectHandle shared = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>"));
    QPDFObjectHandle first = page(pdf, shared);
    first.getKey("/Contents")
        .replaceStreamData(inflatingTo(inflatedBytes), QPDFObjectHandle::newName("/FlateDecode"),
                           QPDFObjectHandle::newNull());
    document.addPage(QPDFPageObjectHelper(first), false);
    document.addPage(QPDFPageObjectHelper(page(pdf, shared)), false);
    write(pdf, path);
}

} // namespace HostileFixtures

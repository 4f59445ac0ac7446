#include "Fixtures.h"
#include "FontFixtures.h"
#include "Placed.h"
#include "engine/compress/fonts/FontPass.h"
#include "engine/document/Operations.h"

#include <poppler/qt6/poppler-qt6.h>
#include <qpdf/QPDF.hh>

#include <QFile>
#include <QImage>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using FontFixtures::Builder;
using FontFixtures::Kind;
Q_DECLARE_METATYPE(FontFixtures::Kind)

namespace {

const QString sample = QStringLiteral("Leaflow küçültür: ÇĞİÖŞÜ çğıöşü 0123 “déjà vu”");
const QString latin = QStringLiteral("Café crème, “déjà vu” 2026");

// A CFF of 41 glyphs whose glyph 34 ("A" in the standard charset) calls
// global subroutine 0, which calls itself.
QByteArray loopingCff()
{
    QByteArray cff = QByteArray::fromHex("01000401" // header
                                         "00010101"
                                         "0241"       // names: "A"
                                         "000101010e" // one top dictionary:
                                         "1d00000026"
                                         "11"                 // CharStrings at 38
                                         "8b1d0000007e12"     // an empty Private at 126
                                         "0000"               // no strings
                                         "0001010104201d0b"); // subr 0: -107 callgsubr return
    QByteArray offsets = QByteArray::fromHex("00290101");
    QByteArray glyphs;
    for (int g = 0; g <= 40; ++g) {
        glyphs += g == 34 ? QByteArray::fromHex("201d0e") : QByteArray::fromHex("0e");
        offsets += char(1 + glyphs.size());
    }
    return cff + offsets + glyphs;
}

} // namespace

// Font subsetting shrinks programs, keeps every page's looks, and leaves form and hostile fonts.
class FontSubsetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
    }

    void shrinks_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("TrueType, Identity-H") << Kind::cidTrueType << sample;
        QTest::newRow("TrueType, embedded CMap and CIDToGIDMap") << Kind::cidMapped << sample;
        QTest::newRow("TrueType, WinAnsiEncoding") << Kind::simpleTrueType << latin;
        QTest::newRow("bare CFF, Differences") << Kind::simpleCff << latin;
        QTest::newRow("OpenType CFF, Identity-H") << Kind::cidOpenType << latin;
    }

    void shrinks()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        if ((kind == Kind::simpleCff || kind == Kind::cidOpenType) &&
            !QFile::exists(FontFixtures::nimbusPath())) {
            QSKIP("fonts-urw-base35 is not installed: no OpenType CFF font to embed");
        }
        Builder builder;
        QPDFObjectHandle font = builder.font(kind, program(kind), QStringLiteral("subject"));
        builder.addPage({{font, text}, {font, text.left(9)}});
        builder.addPage({{font, text.toUpper()}});
        builder.write(path("in.pdf"));

        compressKeepingLooks(path("in.pdf"), path("out.pdf"));

        const qsizetype was = FontFixtures::programOf(path("in.pdf"), "subject").size();
        const qsizetype now = FontFixtures::programOf(path("out.pdf"), "subject").size();
        QVERIFY2(now * 4 < was, qPrintable(QStringLiteral("%1 -> %2").arg(was).arg(now)));
    }

    // Form fonts (/DR, a field's /DA) may need any glyph when the field is filled.
    void formFontsStayWhole()
    {
        Builder builder;
        QPDF& pdf = builder.pdf();
        // A program of their own: a program shared with the page font would stay whole anyway.
        const QByteArray serif =
            Fixtures::readBytes(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"));
        QPDFObjectHandle dr = builder.font(Kind::simpleTrueType, serif, "dr");
        QPDFObjectHandle da = builder.font(Kind::simpleTrueType, serif, "da");
        QPDFObjectHandle free = builder.font(Kind::cidTrueType, program(Kind::cidTrueType), "free");
        builder.addPage({{dr, latin}, {da, latin}, {free, sample}});
        QPDFObjectHandle appearance = pdf.newStream("/Tx BMC BT /Fa 12 Tf 2 4 Td (Ab) Tj ET EMC");
        appearance.replaceDict(QPDFObjectHandle::parse(
            &pdf,
            "<< /Type /XObject /Subtype /Form /BBox [0 0 200 20] /Resources << /Font << /Fa " +
                da.unparse() + " >> >> >>"));
        QPDFObjectHandle field = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /V (Ab) /Rect [40 100 240 120]"
            " /DA (/Fa 12 Tf 0 g) >>"));
        field.replaceKey("/AP", QPDFObjectHandle::newDictionary({{"/N", appearance}}));
        QPDFObjectHandle page = pdf.getAllPages().at(0);
        field.replaceKey("/P", page);
        page.replaceKey("/Annots", QPDFObjectHandle::newArray({field}));
        QPDFObjectHandle form =
            QPDFObjectHandle::parse("<< /Fields [] /DA (/Helv 0 Tf 0 g) /DR << /Font << >> >> >>");
        form.getKey("/Fields").appendItem(field);
        form.getKey("/DR").getKey("/Font").replaceKey("/Helv", dr);
        pdf.getRoot().replaceKey("/AcroForm", form);
        builder.write(path("form.pdf"));

        compressKeepingLooks(path("form.pdf"), path("form-out.pdf"));

        for (const char* tag : {"dr", "da"}) {
            QCOMPARE(FontFixtures::programOf(path("form-out.pdf"), tag),
                     FontFixtures::programOf(path("form.pdf"), tag));
        }
        QVERIFY(FontFixtures::programOf(path("form-out.pdf"), "free").size() <
                FontFixtures::programOf(path("form.pdf"), "free").size());
    }

    void hostileFontsStayWhole_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("program");

        const QByteArray dejaVu = program(Kind::cidTrueType);
        QTest::newRow("truncated TrueType table")
            << Kind::cidTrueType << dejaVu.left(dejaVu.size() * 3 / 5);
        // maxp claims 65,535 glyphs over tables sized for the real count.
        QByteArray many = dejaVu;
        const qsizetype maxp = many.indexOf("maxp");
        const auto offset = qFromBigEndian<quint32>(many.constData() + maxp + 8);
        many[offset + 4] = '\xff';
        many[offset + 5] = '\xff';
        QTest::newRow("65,535 glyphs") << Kind::cidTrueType << many;

        QTest::newRow("CFF subroutine calling itself") << Kind::simpleCff << loopingCff();
    }

    void hostileFontsStayWhole()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, program);
        Builder builder;
        QPDFObjectHandle hostile = builder.font(kind, program, QStringLiteral("hostile"));
        QPDFObjectHandle good =
            builder.font(Kind::cidTrueType, this->program(Kind::cidTrueType), "good");
        builder.addPage({{hostile, QStringLiteral("AAA")}, {good, sample}});
        builder.write(path("hostile.pdf"));

        QVERIFY(placed(path("."), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{path("hostile.pdf"), std::nullopt},
                                       CompressionLevel::balanced, path("hostile-out.pdf"),
                                       outputs);
        }));

        QCOMPARE(FontFixtures::programOf(path("hostile-out.pdf"), "hostile"),
                 FontFixtures::programOf(path("hostile.pdf"), "hostile"));
    }

private:
    QByteArray program(Kind kind) const
    {
        if (kind == Kind::simpleCff) {
            return QRawFont(FontFixtures::nimbusPath(), 12).fontTable("CFF ");
        }
        return Fixtures::readBytes(kind == Kind::cidOpenType ? FontFixtures::nimbusPath()
                                                             : FontFixtures::dejaVuPath());
    }

    // Compresses in to out and proves every page's text and picture unchanged.
    void compressKeepingLooks(const QString& in, const QString& out)
    {
        QVERIFY(placed(folderOf(out), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{in, std::nullopt}, CompressionLevel::balanced, out,
                                       outputs);
        }));
        QVERIFY(Fixtures::qpdfCheckIsClean(out));
        const auto before = Poppler::Document::load(in);
        const auto after = Poppler::Document::load(out);
        QVERIFY(before && after);
        QCOMPARE(after->numPages(), before->numPages());
        for (int i = 0; i < before->numPages(); ++i) {
            const auto was = before->page(i);
            const auto now = after->page(i);
            QCOMPARE(now->text(QRectF()), was->text(QRectF()));
            QVERIFY(!was->text(QRectF()).isEmpty());
            const QImage picture = was->renderToImage(72, 72);
            QVERIFY(!picture.isNull());
            QVERIFY(now->renderToImage(72, 72) == picture);
        }
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QTEST_MAIN(FontSubsetTest)
#include "FontSubsetTest.moc"

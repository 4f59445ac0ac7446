#include "engine/compress/DrawnSizes.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QTest>

using OH = QPDFObjectHandle;

// The size each page draws an image at, through cm, forms, patterns and what cannot be followed.
class CompressDrawnSizeTest : public QObject {
    Q_OBJECT

private slots:
    void drawnSize_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("annotated"); // an appearance draws the image too
        QTest::addColumn<QSizeF>("drawn");   // empty: the size is not known
        const auto row = [](const char* name, const char* content, QSizeF drawn,
                            bool annotated = false) {
            QTest::newRow(name) << QByteArray(content) << annotated << drawn;
        };
        row("scaled", "q 200 0 0 100 0 0 cm /Im0 Do Q", {200, 100});
        row("rotated", "q 0 150 -300 0 300 0 cm /Im0 Do Q", {150, 300});
        row("Q restores", "2 0 0 2 0 0 cm q 9 0 0 9 0 0 cm Q 50 0 0 25 0 0 cm /Im0 Do", {100, 50});
        row("form matrix", "q 2 0 0 3 0 0 cm /Fm0 Do Q", {100, 150});
        row("twice, largest side each", "q 100 0 0 20 0 0 cm /Im0 Do Q 30 0 0 80 0 0 cm /Im0 Do",
            {100, 80});
        row("pattern, from default space", "5 0 0 5 0 0 cm /Pattern cs /P0 scn 0 0 9 9 re f",
            {300, 300});
        row("not drawn", "0 0 10 10 re f", {});
        row("unparsable", "q 200 0 0 100 0 0 cm /Im0 Do Q (open", {});
        row("also in an appearance", "q 200 0 0 100 0 0 cm /Im0 Do Q", {}, true);
    }

    void drawnSize()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, annotated);
        QFETCH(QSizeF, drawn);
        QPDF pdf;
        pdf.emptyPDF();
        pdf.setSuppressWarnings(true);
        OH image = pdf.newStream(std::string(4, '\0'));
        image.replaceDict(OH::parse("<< /Type /XObject /Subtype /Image /Width 2 /Height 2 "
                                    "/ColorSpace /DeviceGray /BitsPerComponent 8 >>"));
        OH inner = OH::newDictionary();
        inner.replaceKey("/XObject", OH::newDictionary());
        inner.getKey("/XObject").replaceKey("/Im0", image);
        // A form at half scale and a pattern at three times scale, each drawing the image at 100.
        OH form = pdf.newStream("100 0 0 100 0 0 cm /Im0 Do");
        form.replaceDict(OH::parse("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] "
                                   "/Matrix [0.5 0 0 0.5 0 0] >>"));
        form.getDict().replaceKey("/Resources", inner);
        OH pattern = pdf.newStream("100 0 0 100 0 0 cm /Im0 Do");
        pattern.replaceDict(OH::parse("<< /PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 9 9]"
                                      " /XStep 9 /YStep 9 /Matrix [3 0 0 3 0 0] >>"));
        pattern.getDict().replaceKey("/Resources", inner);
        OH page = OH::parse("<< /Type /Page /MediaBox [0 0 612 792] /Resources << /XObject << >> "
                            "/Pattern << >> >> >>");
        page.getKey("/Resources").getKey("/XObject").replaceKey("/Im0", image);
        page.getKey("/Resources").getKey("/XObject").replaceKey("/Fm0", form);
        page.getKey("/Resources").getKey("/Pattern").replaceKey("/P0", pattern);
        page.replaceKey("/Contents", pdf.newStream(content.toStdString()));
        if (annotated) {
            page.replaceKey("/Annots", OH::parse("[<< /Type /Annot /Subtype /Stamp "
                                                 "/Rect [0 0 9 9] /AP << >> >>]"));
            page.getKey("/Annots").getArrayItem(0).getKey("/AP").replaceKey("/N", form);
        }
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)),
                                            false);

        const DrawnSizes::Found found = DrawnSizes::collect(pdf);
        const DrawnSizes::Size* size = found.known(image.getObjGen());
        QCOMPARE(size != nullptr, !drawn.isEmpty());
        if (size != nullptr) {
            QCOMPARE(QSizeF(size->width, size->height), drawn);
        }
    }
};

QTEST_GUILESS_MAIN(CompressDrawnSizeTest)
#include "CompressDrawnSizeTest.moc"

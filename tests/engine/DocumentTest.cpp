#include "Fixtures.h"
#include "Placed.h"
#include "core/FittedName.h"
#include "engine/document/MappedInput.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/OutputTransaction.h"
#include "engine/document/PackedObjects.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using Fixtures::Cipher;
using PDFEngine::Grouping;
using IndexSet = QSet<int>;
using Optional = std::optional<QString>;
Q_DECLARE_METATYPE(Fixtures::Cipher)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QString unreadable(const QString& piece)
{
    return QStringLiteral("“%1” anlaşılmadı. Örnek: 1-3, 5, 8-12").arg(piece);
}
QString outside(const QString& piece)
{
    return QStringLiteral("Bu PDF 5 sayfa. “%1” bunun dışında kalıyor.").arg(piece);
}
QString writeFailed(const QString& name)
{
    return name + QStringLiteral(" yazılamadı. Klasöre yazma iznin olduğundan emin ol.");
}

// A written output: its pages by tag, clean, never encrypted.
void checkOutput(const QString& file, const QStringList& tags)
{
    QCOMPARE(Fixtures::readTags(file), tags);
    QVERIFY(Fixtures::qpdfCheckIsClean(file));
    QVERIFY(!Fixtures::isEncrypted(file));
}

} // namespace

// The page operations and what they share: ranges, opening, safe writing and naming.
class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    // A.pdf, B.pdf, Rapor.pdf (P2 turned and cropped), text notlar.pdf, Kilitli.pdf ("doğru").
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Fixtures::writePdf(path("A.pdf"), Fixtures::tagged("A", 2));
        Fixtures::writePdf(path("B.pdf"), Fixtures::tagged("B", 3));
        QList<Fixtures::Page> report = Fixtures::tagged("P", 4);
        report[1].rotate = 90;
        report[1].cropBox = QRectF(10, 20, 400, 500);
        Fixtures::writePdf(path("Rapor.pdf"), report);
        Fixtures::writeBytes(path("notlar.pdf"), "Toplantı notları\n");
        Fixtures::writePdf(path("Kilitli.pdf"), Fixtures::tagged("K", 1),
                           {Cipher::rc4_128, QStringLiteral("doğru"), QStringLiteral("sahip")});
    }

    void parsesRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Grouping>("groups");

        QTest::newRow("mixed list, 1-3 includes 3")
            << "1-3, 5, 8-12" << Grouping{{0, 1, 2}, {4}, {7, 8, 9, 10, 11}};
        QTest::newRow("en dash") << "1–3" << Grouping{{0, 1, 2}};
        QTest::newRow("semicolons and line breaks")
            << "1;2\r\n3\u20284\n5" << Grouping{{0}, {1}, {2}, {3}, {4}};
        QTest::newRow("open end runs to the last page") << "8-" << Grouping{{7, 8, 9, 10, 11}};
        QTest::newRow("last page alone") << "12" << Grouping{{11}};
        QTest::newRow("plus sign and spaces")
            << "+2,  3 - 4 ,\u00a05\u2003" << Grouping{{1}, {2, 3}, {4}};
        QTest::newRow("overlaps and duplicates kept")
            << "1-3, 2-4, 2" << Grouping{{0, 1, 2}, {1, 2, 3}, {1}};
        QTest::newRow("empty pieces dropped") << ",,1,, ,2," << Grouping{{0}, {1}};
    }

    void parsesRanges()
    {
        QFETCH(QString, text);
        QFETCH(Grouping, groups);
        QCOMPARE(PDFEngine::parseRanges(text, 12), groups);
    }

    void rejectsRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        const QString nothing = QStringLiteral("Aralık yaz. Örnek: 1-3, 5, 8-12");
        QTest::newRow("only separators") << " , ;\n\r\n ," << nothing;
        QTest::newRow("open end past last page") << "6-" << unreadable("6-");
        QTest::newRow("single page past last page") << "6" << outside("6");
        QTest::newRow("piece shown after replacements") << "4–9" << outside("4-9");
        QTest::newRow("zero") << "0" << unreadable("0");
        QTest::newRow("reversed") << "5-3" << unreadable("5-3");
        QTest::newRow("leading hyphen") << "-2" << unreadable("-2");
        QTest::newRow("three parts") << "1-2-3" << unreadable("1-2-3");
        QTest::newRow("em dash stays") << "1—3" << unreadable("1—3");
        QTest::newRow("first bad piece named") << "2, x, 99" << unreadable("x");
        QTest::newRow("too large for 64 bits")
            << "99999999999999999999" << unreadable("99999999999999999999");
        QTest::newRow("non-ascii digits") << "١" << unreadable("١");
    }

    void rejectsRanges()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(failureOf([&] { PDFEngine::parseRanges(text, 5); }), message);
    }

    void chunks()
    {
        using PDFEngine::chunks;
        QCOMPARE(chunks(5, 2), (Grouping{{0, 1}, {2, 3}, {4}})); // an uneven tail
        QCOMPARE(chunks(3, 0), (Grouping{{0}, {1}, {2}}));       // every 0 is every page
        QCOMPARE(chunks(0, 3), Grouping{});
        QCOMPARE(chunks(3, 10), (Grouping{{0, 1, 2}})); // larger than the document
    }

    void opensOrRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Optional>("password");
        QTest::addColumn<QString>("message"); // after the file's name; empty: opens with its pages

        const QString broken = " açılamadı. Dosya bozuk ya da PDF değil.";
        const QString locked = " parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
        QTest::newRow("text file named .pdf") << "notlar.pdf" << Optional() << broken;
        QTest::newRow("missing file") << "yok.pdf" << Optional() << broken;
        QTest::newRow("locked, no password") << "Kilitli.pdf" << Optional() << locked;
        QTest::newRow("locked, empty password") << "Kilitli.pdf" << Optional("") << locked;
        QTest::newRow("locked, almost right") << "Kilitli.pdf" << Optional("dogru") << locked;
        QTest::newRow("locked, owner password") << "Kilitli.pdf" << Optional("sahip") << QString();
        QTest::newRow("owner-only, no password") << "Kisitli.pdf" << Optional() << QString();
    }

    void opensOrRefuses()
    {
        QFETCH(QString, name);
        QFETCH(Optional, password);
        QFETCH(QString, message);
        Fixtures::writePdf(path("Kisitli.pdf"), Fixtures::tagged("R", 1),
                           {Cipher::aes256, QString(), QStringLiteral("sahip")});
        const QStringList before = entries();
        const QByteArray bytes = QFile::exists(path(name)) ? Fixtures::readBytes(path(name)) : "";

        qint64 pages = 0;
        QCOMPARE(failureOf([&] {
                     pages = PDFEngine::pageCount(PDFSource{path(name), password});
                 }),
                 message.isEmpty() ? message : name + message);
        QCOMPARE(pages, message.isEmpty() ? 1 : 0);
        // Inspected as admission does: a file locked without a password is only reported so.
        const PDFEngine::Outcome inspected =
            PDFEngine::run(PDFEngine::InspectJob{PDFSource{path(name), password}});
        const bool lockedWithout = !password && name == QStringLiteral("Kilitli.pdf");
        QCOMPARE(inspected.locked, lockedWithout);
        QCOMPARE(inspected.pageCount, message.isEmpty() ? std::optional<qint64>(1) : std::nullopt);
        QCOMPARE(inspected.failure.value_or(QString()),
                 message.isEmpty() || lockedWithout ? QString() : name + message);
        QCOMPARE(entries(), before);
        QCOMPARE(QFile::exists(path(name)) ? Fixtures::readBytes(path(name)) : "", bytes);
    }

    void writesCompletelyOrNothing_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<qint64>("expectedPages");
        // Empty: written; else the message (%1: the folder), everything left as it was.
        QTest::addColumn<QString>("message");

        const QString missing = "Çıktı.pdf yazılamadı. Kaydedilecek klasör bulunamadı: %1";
        QTest::newRow("over a longer file") << "Uzun.pdf" << qint64(4) << QString();
        QTest::newRow("parent is a regular file") << "A.pdf/Çıktı.pdf" << qint64(4) << missing;
        QTest::newRow("parent folder missing") << "yok/Çıktı.pdf" << qint64(4) << missing;
        QTest::newRow("destination is a folder")
            << "Klasör.pdf" << qint64(4) << writeFailed("Klasör.pdf");
        // 300 bytes where the file system allows 255; the message shows its start and end.
        QTest::newRow("name too long")
            << QString(296, u'u') + ".pdf" << qint64(4)
            << QString(40, u'u') + "…" + QString(11, u'u') +
                   ".pdf yazılamadı. Dosya adı bu klasör için çok uzun; daha kısa bir ad seç.";
        // The reopened result must have the pages the operation meant to write.
        QTest::newRow("result fails the page count, existing")
            << "Uzun.pdf" << qint64(5) << writeFailed("Uzun.pdf");
        QTest::newRow("result fails the page count, new")
            << "Yeni.pdf" << qint64(3) << writeFailed("Yeni.pdf");
    }

    void writesCompletelyOrNothing()
    {
        QFETCH(QString, destination);
        QFETCH(qint64, expectedPages);
        QFETCH(QString, message);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Klasör.pdf")));
        Fixtures::writeBytes(path("Klasör.pdf/içinde.txt"), "kalır");
        const QByteArray longer(2'000'000, 'x');
        Fixtures::writeBytes(path("Uzun.pdf"), longer);
        QStringList expected = entries();
        const auto pdf = PDFEngine::open(PDFSource{path("Rapor.pdf"), std::nullopt});

        if (message.contains("%1")) {
            message = message.arg(QFileInfo(path(destination)).absolutePath());
        }
        QCOMPARE(failureOf([&] {
                     placed(folderOf(path(destination)), [&](auto& outputs) {
                         PDFEngine::write(*pdf, outputs, path(destination), expectedPages);
                     });
                 }),
                 message);

        if (message.isEmpty()) {
            checkOutput(path(destination), {"P1", "P2", "P3", "P4"});
            QVERIFY(!Fixtures::readBytes(path(destination)).contains("xxxxxxxx"));
            expected.append(destination);
            expected.removeDuplicates();
            expected.sort();
        } else {
            QCOMPARE(Fixtures::readBytes(path("Uzun.pdf")), longer);
        }
        QCOMPARE(entries(), expected); // no hidden temporary folder left
        QCOMPARE(entries(QStringLiteral("Klasör.pdf")), QStringList{"içinde.txt"});
    }

    // The check holds a written file to its page tree as written, needing no repair, whether its
    // pages are objects of their own or packed in object streams.
    void checksWrittenFiles_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("packedPages");
        QTest::addColumn<qint64>("expectedPages");
        QTest::addColumn<bool>("passes");

        for (const bool packed : {false, true}) {
            const auto row = [packed](const char* name, const char* damage, qint64 pages,
                                      bool passes) {
                QTest::addRow("%s%s", packed ? "packed, " : "", name)
                    << QString::fromLatin1(damage) << packed << pages << passes;
            };
            row("as written", "", 4, true);
            row("other page count", "", 3, false);
            row("count says a page more", "count", 4, false);
            row("count says a page more, as expected", "count", 5, false);
            row("page tree loops", "loop", 4, false);
            row("a page that is no dictionary", "number", 4, false);
        }
        QTest::newRow("cut in half") << "truncated" << false << qint64(4) << false;
        QTest::newRow("cross-reference points a line early")
            << "shifted" << false << qint64(4) << false;
        QTest::newRow("encrypted, opens without a password")
            << "encrypted" << false << qint64(4) << false;
    }

    void checksWrittenFiles()
    {
        QFETCH(QString, damage);
        QFETCH(bool, packedPages);
        QFETCH(qint64, expectedPages);
        QFETCH(bool, passes);
        const QString file = path("Rapor.pdf");
        if (damage == "encrypted") {
            Fixtures::writePdf(file, Fixtures::tagged("P", 4), {Cipher::aes128, {}, "sahip"});
        }
        QPDF pdf;
        pdf.processFile(QFile::encodeName(file).constData());
        QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
        if (damage == "count") {
            root.replaceKey("/Count", QPDFObjectHandle::newInteger(5));
        } else if (damage == "loop") {
            root.getKey("/Kids").appendItem(root);
        } else if (damage == "number") {
            root.getKey("/Kids").setArrayItem(1, pdf.makeIndirectObject(
                                                     QPDFObjectHandle::newInteger(7)));
        }
        // Written as it is, wrong counts included.
        const QByteArray name = QFile::encodeName(file);
        QPDFWriter writer(pdf, name.constData());
        writer.setPreserveEncryption(damage == "encrypted");
        writer.setObjectStreamMode(packedPages ? qpdf_o_generate : qpdf_o_disable);
        writer.write();

        QByteArray bytes = Fixtures::readBytes(file);
        if (damage == "truncated") {
            bytes.truncate(bytes.size() / 2);
        } else if (damage == "shifted") {
            bytes.insert(bytes.indexOf('\n') + 1, "%\n");
        }
        Fixtures::writeBytes(file, bytes);
        QCOMPARE(PDFEngine::verifyOutput(file, expectedPages), passes);
    }

    // An object packed in an object stream reads alone as qpdf reads it; others are left to qpdf.
    void readsPackedObjectsAlone()
    {
        const QString file = path("Rapor.pdf");
        for (const PDFEngine::Layout layout :
             {PDFEngine::Layout::compact, PDFEngine::Layout::plain}) {
            {
                QPDF pdf;
                pdf.processFile(QFile::encodeName(file).constData());
                PDFEngine::writeFile(pdf, path("yeniden.pdf"), layout);
            }
            QPDF pdf;
            pdf.processFile(QFile::encodeName(path("yeniden.pdf")).constData());
            PDFEngine::PackedObjects packed(pdf);
            const std::vector<QPDFObjectHandle> kids =
                pdf.getRoot().getKey("/Pages").getKey("/Kids").getArrayAsVector();
            QCOMPARE(kids.size(), size_t(4));
            for (QPDFObjectHandle kid : kids) {
                std::optional<QPDFObjectHandle> alone = packed.read(kid);
                QCOMPARE(alone.has_value(), layout == PDFEngine::Layout::compact);
                if (alone) {
                    QCOMPARE(alone->unparseResolved(), kid.unparseResolved());
                }
                QVERIFY(!packed.read(kid.getKey("/Contents"))); // a stream is never packed
            }
        }
    }

    // A full disk cannot be made here, so the system's error is handed in directly.
    void writeErrorsNameTheirCause()
    {
        const QString out = path(QStringLiteral("Çıktı.pdf"));
        QCOMPARE(PDFEngine::writeFailure(out, ENOSPC).message(),
                 "Çıktı.pdf yazılamadı. Diskte yeterli yer yok; yer açıp yeniden dene.");
    }

    void uniqueNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");

        QTest::newRow("name taken: x 2.pdf")
            << "Belge" << QStringList{"Belge.pdf"} << "Belge 2.pdf";
        QTest::newRow("gap is filled")
            << "Belge" << QStringList{"Belge.pdf", "Belge 3.pdf"} << "Belge 2.pdf";
        QTest::newRow("a folder counts as taken")
            << "Belge" << QStringList{"Belge.pdf/"} << "Belge 2.pdf";
        QTest::newRow("other extensions do not count")
            << "Belge" << QStringList{"Belge.txt", "Belge"} << "Belge.pdf";
        QTest::newRow("dots and spaces kept")
            << " v1.2 taslak " << QStringList{"Rapor 1-3.pdf"} << " v1.2 taslak .pdf";
        QTest::newRow("too long: cut so that the number fits")
            << QString(300, u'a') << QStringList{QString(251, u'a') + ".pdf"}
            << QString(249, u'a') + " 2.pdf";
    }

    void uniqueNames()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        QDir folder(path("hedef"));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        for (const QString& entry : present) {
            if (entry.endsWith(u'/')) {
                QVERIFY(folder.mkdir(entry.chopped(1)));
            } else {
                Fixtures::writeBytes(folder.filePath(entry), "x");
            }
        }

        QCOMPARE(PDFEngine::uniqueURL(folder.path(), name), folder.filePath(expected));
        // Only existence counts: asking again without writing gives the same place.
        QCOMPARE(PDFEngine::uniqueURL(folder.path(), name), folder.filePath(expected));
    }

    // Cut between characters, keeping the tail and room for ".pdf" (and a number when asked).
    void namesFitTheLimit()
    {
        // Two bytes a letter: 120 of them, " birleşik" (10 bytes) and ".pdf" make 254.
        QCOMPARE(fittedName(QString(130, u'ş'), " birleşik"), QString(120, u'ş') + " birleşik");
        QCOMPARE(fittedName(QString(250, u'a'), " 1-3"), QString(247, u'a') + " 1-3");
        const QString accented = QStringLiteral("e\u0301"); // three bytes, one character
        QCOMPARE(fittedName(accented.repeated(100), ""), accented.repeated(83));
    }

    // In list order, a repeated input twice and a locked one unlocked; pages as a range names them.
    void mergesInListOrder()
    {
        const QStringList inputs{"Kilitli.pdf", "A.pdf", "B.pdf", "A.pdf"};
        const QString output = path("Birleşik.pdf"); // an older file it replaces
        Fixtures::writePdf(output, Fixtures::tagged("E", 9));
        QList<PDFSource> sources;
        QList<QByteArray> before;
        for (const QString& name : inputs) {
            sources.append(
                PDFSource{path(name), name == "Kilitli.pdf" ? Optional("doğru") : Optional()});
            before.append(Fixtures::readBytes(path(name)));
        }
        const QStringList names = entries();

        placed(folderOf(output), [&](auto& outputs) {
            PDFEngine::merge({sources, output, {"", "", "3, 1-2"}}, outputs);
        });

        checkOutput(output, {"K1", "A1", "A2", "B3", "B1", "B2", "A1", "A2"});
        QCOMPARE(entries(), names);
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            QCOMPARE(Fixtures::readBytes(path(inputs[i])), before[i]); // inputs never modified
        }
    }

    void splitsOneFilePerGroup_data()
    {
        QTest::addColumn<Grouping>("groups");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<QStringList>>("tags");

        QTest::newRow("overlapping 1-3, 2-4")
            << Grouping{{0, 1, 2}, {1, 2, 3}} << QStringList{"Rapor 1-3.pdf", "Rapor 2-4.pdf"}
            << QList<QStringList>{{"P1", "P2", "P3"}, {"P2", "P3", "P4"}};
        QTest::newRow("same group twice, later pages first")
            << Grouping{{2, 3}, {0}, {2, 3}}
            << QStringList{"Rapor 3-4.pdf", "Rapor 1.pdf", "Rapor 3-4 2.pdf"}
            << QList<QStringList>{{"P3", "P4"}, {"P1"}, {"P3", "P4"}};
        QTest::newRow("empty groups skipped")
            << Grouping{{}, {1}, {}} << QStringList{"Rapor 2.pdf"} << QList<QStringList>{{"P2"}};
    }

    void splitsOneFilePerGroup()
    {
        QFETCH(Grouping, groups);
        QFETCH(QStringList, names);
        QFETCH(QList<QStringList>, tags);
        const QString source = path("Rapor.pdf");
        const QByteArray before = Fixtures::readBytes(source);
        const QDir out(path("parçalar"));
        QVERIFY(out.mkpath(QStringLiteral(".")));

        const QStringList written = placed(out.path(), [&](auto& outputs) {
            return PDFEngine::split(PDFSource{source, std::nullopt}, groups, outputs);
        });

        QCOMPARE(written.size(), names.size());
        for (qsizetype i = 0; i < written.size(); ++i) {
            QCOMPARE(written[i], out.filePath(names[i]));
            checkOutput(written[i], tags[i]);
            QList<std::pair<int, QRectF>> layouts; // a turned page keeps its offset crop box
            for (const QString& tag : tags[i]) {
                layouts.append({tag == "P2" ? 90 : 0,
                                tag == "P2" ? QRectF(10, 20, 400, 500) : QRectF(0, 0, 612, 792)});
            }
            QCOMPARE(Fixtures::readLayouts(written[i]), layouts);
        }
        names.sort();
        QCOMPARE(entries(QStringLiteral("parçalar")), names);
        QCOMPARE(Fixtures::readBytes(source), before);
    }

    void deletesMarkedPages_data()
    {
        QTest::addColumn<IndexSet>("removing");
        QTest::addColumn<QStringList>("remaining"); // none: refused, at least one page must stay

        QTest::newRow("first and third") << IndexSet{0, 2} << QStringList{"P2", "P4"};
        QTest::newRow("empty set: unchanged copy")
            << IndexSet{} << QStringList{"P1", "P2", "P3", "P4"};
        QTest::newRow("all but one") << IndexSet{0, 1, 3} << QStringList{"P3"};
        QTest::newRow("beyond the last page and negative ignored")
            << IndexSet{-1, 1, 9} << QStringList{"P1", "P3", "P4"};
        QTest::newRow("every page") << IndexSet{0, 1, 2, 3} << QStringList{};
        QTest::newRow("as many as pages, some beyond the end")
            << IndexSet{0, 1, 7, 8} << QStringList{};
    }

    // The output replaces B.pdf; a refusal leaves it and the folder as they were.
    void deletesMarkedPages()
    {
        QFETCH(IndexSet, removing);
        QFETCH(QStringList, remaining);
        const QString source = path("Rapor.pdf");
        const QString output = path("B.pdf");
        const QByteArray before = Fixtures::readBytes(source);
        const QByteArray existing = Fixtures::readBytes(output);
        const QStringList names = entries();

        const QString message = failureOf([&] {
            placed(folderOf(output), [&](auto& outputs) {
                PDFEngine::deletePages(PDFSource{source, std::nullopt}, removing, output, outputs);
            });
        });

        QCOMPARE(Fixtures::readBytes(source), before);
        QCOMPARE(entries(), names);
        if (remaining.isEmpty()) {
            QCOMPARE(message, QStringLiteral("En az bir sayfa kalmalı."));
            QCOMPARE(Fixtures::readBytes(output), existing);
        } else {
            QCOMPARE(message, QString());
            checkOutput(output, remaining);
        }
    }

    // A rebuilt cross-reference table and a trailer without /Size still give a readable copy.
    void repairedInputGivesReadableCopy()
    {
        const QString source = path("Rapor.pdf");
        QString text = QString::fromLatin1(Fixtures::readBytes(source));
        text.remove(QRegularExpression(QStringLiteral("/Size \\d+")));
        QByteArray bytes = text.toLatin1();
        const qsizetype startxref = bytes.lastIndexOf("startxref");
        QVERIFY(startxref > 0);
        Fixtures::writeBytes(source, bytes.left(startxref) + "startxref\n999999\n%%EOF\n");

        placed(path("."), [&](auto& outputs) {
            PDFEngine::deletePages(PDFSource{source, std::nullopt}, {1}, path("Kalan.pdf"),
                                   outputs);
        });

        checkOutput(path("Kalan.pdf"), {"P1", "P3", "P4"});
    }

    void readsTheFileItOpened_data()
    {
        QTest::addColumn<bool>("fits"); // within the mapping budget
        QTest::newRow("mapped") << true;
        QTest::newRow("over the budget, read as a file") << false;
    }

    // Stream data is read while writing, long after opening: from the file as it was opened,
    // removed and replaced since, and mapped as long as the document lives, however opened.
    void readsTheFileItOpened()
    {
        QFETCH(bool, fits);
        const QString source = path("A.pdf");
        const qint64 size = QFileInfo(source).size();
        const qint64 before = PDFEngine::mappedBytes();
        PDFEngine::setMappingBudget(before + size - (fits ? 0 : 1));
        std::unique_ptr<QPDF> pdf = PDFEngine::open(PDFSource{source, std::nullopt});
        PDFEngine::setMappingBudget(std::nullopt);
        QCOMPARE(PDFEngine::mappedBytes() - before, fits ? size : 0);
        QVERIFY(QFile::remove(source));
        QVERIFY(QFile::copy(path("B.pdf"), source));

        PDFEngine::writeFile(*pdf, path("Kopya.pdf"));
        pdf.reset();
        QCOMPARE(PDFEngine::mappedBytes(), before);
        checkOutput(path("Kopya.pdf"), {"A1", "A2"});
    }

    void splitFailingAtAPartLeavesNothing_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<bool>("written"); // the part is written, then fails its check

        QTest::newRow("second part cannot be written") << 2 << false;
        QTest::newRow("first part fails its check") << 1 << true;
        QTest::newRow("second part fails its check") << 2 << true;
        QTest::newRow("last part fails its check") << 3 << true;
    }

    // A part failing, in writing or in its check, is named, and the folder is as it was.
    void splitFailingAtAPartLeavesNothing()
    {
        QFETCH(int, part);
        QFETCH(bool, written);
        const QDir out(path("parçalar"));
        QVERIFY(out.mkpath(QStringLiteral(".")));
        const QString staged = QString::number(part) + QStringLiteral(".pdf");
        QString privateFolder;
        bool swapped = false;
        PDFEngine::Progress progress;
        progress.folder = [&](const QString& folder) { privateFolder = folder; };
        progress.step = [&](qint64, qint64) {
            const QDir folder(privateFolder);
            if (privateFolder.isEmpty() || !folder.exists()) {
                return;
            }
            if (!written) {
                // A folder where the part's file goes.
                folder.mkpath(staged + QStringLiteral("/dolu"));
            } else if (!swapped && folder.exists(staged)) {
                // While the part is written, a file of two pages takes its name.
                QFile::copy(path("A.pdf"), folder.filePath(QStringLiteral("yerine")));
                swapped = std::rename(QFile::encodeName(folder.filePath("yerine")).constData(),
                                      QFile::encodeName(folder.filePath(staged)).constData()) == 0;
            }
        };

        const QString message = failureOf([&] {
            PDFEngine::OutputTransaction outputs(out.path(), false, progress);
            PDFEngine::Meter meter(progress);
            PDFEngine::split(PDFSource{path("Rapor.pdf"), {}}, {{0}, {1}, {2}}, outputs,
                             meter.all());
        });

        QCOMPARE(message, writeFailed("Rapor " + QString::number(part) + ".pdf"));
        QCOMPARE(swapped, written);
        QVERIFY(!privateFolder.isEmpty());
        QVERIFY(!QFileInfo::exists(privateFolder));
        QCOMPARE(entries("parçalar"), QStringList{});
    }

    // A failed commit puts back what it replaced and removes what it made; nothing makes nothing.
    void commitIsAllOrNothing_data()
    {
        QTest::addColumn<QString>("createFolder"); // relative to the test folder; empty for none
        QTest::addColumn<QStringList>("destinations");
        QTest::addColumn<QString>("message"); // %1: the test's folder
        QTest::newRow("replaced file comes back")
            << QString() << QStringList{"A.pdf", "yok/B.pdf"}
            << "B.pdf yazılamadı. Kaydedilecek klasör bulunamadı: %1/yok";
        QTest::newRow("made folder goes")
            << "yeni/alt" << QStringList{"yeni/alt/A.pdf", "yeni/alt/iç/B.pdf"}
            << "B.pdf yazılamadı. Kaydedilecek klasör bulunamadı: %1/yeni/alt/iç";
        QTest::newRow("nothing to place") << "yeni/alt" << QStringList{} << QString();
    }

    void commitIsAllOrNothing()
    {
        QFETCH(QString, createFolder);
        QFETCH(QStringList, destinations);
        QFETCH(QString, message);
        const QStringList before = entries();
        const QByteArray previous = Fixtures::readBytes(path("A.pdf"));
        PDFEngine::Staging staging{path(".leaflow-elde"), {}, {}};
        QVERIFY(QDir().mkpath(staging.folder));
        if (!createFolder.isEmpty()) {
            staging.createFolder = path(createFolder);
        }
        for (const QString& destination : destinations) {
            const QString staged = staging.folder + "/" + QString::number(staging.files.size());
            Fixtures::writeBytes(staged, "yeni");
            staging.files.append({staged, path(destination)});
        }

        QCOMPARE(failureOf([&] { PDFEngine::commit(staging); }),
                 message.isEmpty() ? message : message.arg(m_dir->path()));

        QCOMPARE(entries(), before);
        QCOMPARE(Fixtures::readBytes(path("A.pdf")), previous);
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList entries(const QString& folder = {}) const
    {
        return Fixtures::entries(path(folder));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(DocumentTest)
#include "DocumentTest.moc"

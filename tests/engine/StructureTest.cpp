#include "Fixtures.h"
#include "ImageFixtures.h"
#include "Placed.h"
#include "StructureFixtures.h"
#include "engine/document/Operations.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using PDFEngine::Grouping;
using PDFEngine::OrganizedPage;
using StructureFixtures::Hostility;
using Pages = QList<OrganizedPage>;
Q_DECLARE_METATYPE(QList<PDFEngine::OrganizedPage>)

// Forms, bookmarks, links, labels and attachments through merge, split and page deletion.
class StructureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A sweep asked for over a missing corpus fails rather than passing over nothing.
        if (Fixtures::fullSweep()) {
            const QString real = Fixtures::sweepCorpus() + "/real";
            QVERIFY2(QFileInfo(real).isDir(), qPrintable(real + " is missing"));
        }
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        StructureFixtures::writeRich(path("Zengin.pdf"));
        Fixtures::writePdf(path("A.pdf"), Fixtures::tagged("A", 2));
        Fixtures::writePdf(path("Kilitli.pdf"), Fixtures::tagged("K", 1),
                           {Fixtures::Cipher::aes256, "doğru", "sahip"});
    }

    void organizeKeepsWhatBelongsToPages_data()
    {
        QTest::addColumn<Pages>("pages"); // from Zengin.pdf (0) and Kilitli.pdf (1)
        QTest::addColumn<QString>("expected");

        // Everything follows its page; each page keeps its label.
        QTest::newRow("reverse") << Pages{{0, 5}, {0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}}
                                 << "R6 R5 R4 R3 R2 R1|field address.street=Kordon|field "
                                    "agree=/Yes|field city=Ankara|field name=Ayşe|outline Bölüm 1 "
                                    "@6 +|outline   1.1 @5|outline   1.2 @4|outline Bölüm 2 @3|"
                                    "outline   2.1 @2|outline   2.2 @1|label /D4|label /D3|label "
                                    "/D2|label /D1|label /r2|label /r1|link 1->https://"
                                    "example.org/|link 3->5|link 6->1|pages 6";
        // A page twice has fields of its own the second time, renamed as a second input's.
        QTest::newRow("extract, duplicate, insert a locked file")
            << Pages{{0, 0, 1}, {1, 0}, {0, 1}, {0, 0, -1}}
            << "R1 K1 R2 R1|field agree=/Yes|field name+1=Ayşe|field name=Ayşe|outline Bölüm 1 "
               "@1 +|outline   1.1 @3|label /r1|label /D1|label /r2|label /r1|pages 4";

        QTest::newRow("nothing") << Pages{} << "En az bir sayfa kalmalı.";
        QTest::newRow("past the last page")
            << Pages{{0, 1}, {0, 6}} << "Bu PDF 6 sayfa. “7” bunun dışında kalıyor.";
    }

    void organizeKeepsWhatBelongsToPages()
    {
        QFETCH(Pages, pages);
        QFETCH(QString, expected);
        const QString out = path("out.pdf");
        const PDFEngine::OrganizeJob job{{{path("Zengin.pdf"), {}}, {path("Kilitli.pdf"), "doğru"}},
                                         pages,
                                         out};
        const QString failure = failureOf(
            [&] { placed(path("."), [&](auto& outputs) { PDFEngine::organize(job, outputs); }); });
        if (!failure.isEmpty()) {
            QCOMPARE(failure, expected);
            return;
        }
        QStringList lines = StructureFixtures::describe(out).filter(QRegularExpression("^(?!att)"));
        lines.prepend(Fixtures::readTags(out).join(u' '));
        QCOMPARE(lines.join(u'|'), expected);
        QVERIFY(StructureFixtures::describe(out).contains("attachment veri.csv=a,b;1,2"));
        QVERIFY(Fixtures::qpdfCheckIsClean(out));
    }

    void keepsWhatBelongsToPages_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<Grouping>("groups");
        QTest::addColumn<QList<QStringList>>("outputs");

        const auto lines = [](const QString& text) { return text.split(u'|'); };
        // One input's outline at a page offset, then its fields named with suffix.
        const auto rich = [&lines](int offset, const QString& suffix) {
            QStringList outline =
                lines("outline   Bölüm 1 @%1 +|outline     1.1 @%2|outline     1.2 @%3|"
                      "outline   Bölüm 2 @%4|outline     2.1 @%5|outline     2.2 @%6");
            for (int page = 1; page <= 6; ++page) {
                outline.replaceInStrings(QStringLiteral("%%1").arg(page),
                                         QString::number(page + offset));
            }
            return outline << lines("field address%1.street=Kordon|field agree%1=/Yes|"
                                    "field city%1=Ankara|field name%1=Ayşe")
                                  .replaceInStrings("%1", suffix);
        };
        const QStringList files =
            lines("attachment notlar.txt=birinci|attachment veri.csv=a,b;1,2");
        const QStringList labels =
            lines("label /r1|label /r2|label /D1|label /D2|label /D3|label /D4");
        const QString url = "https://example.org/";
        QStringList twice = rich(0, "").mid(6) + rich(6, "+1").mid(6);
        twice.sort();
        twice << "outline Zengin.pdf @1 +" << rich(0, "").mid(0, 6) << "outline Zengin.pdf @7 +"
              << rich(6, "").mid(0, 6) << labels << labels << "attachment notlar (2).txt=birinci"
              << files[0] << "attachment veri (2).csv=a,b;1,2" << files[1]
              << lines("link 1->6|link 4->2|link 6->%1|link 7->12|link 10->8|link 12->%1|pages 12")
                     .replaceInStrings("%1", url);
        QTest::newRow("merge with itself") << "merge" << QStringList{"Zengin.pdf", "Zengin.pdf"}
                                           << Grouping{} << QList<QStringList>{twice};
        // Links to pages left out go; a bookmark whose page and entries are gone goes too.
        QTest::newRow("split 1-2, 4-6")
            << "split" << QStringList{"Zengin.pdf"} << Grouping{{0, 1}, {3, 4, 5}}
            << QList<QStringList>{
                   lines("field agree=/Yes|field name=Ayşe|outline Bölüm 1 @1 +|outline   1.1 @2|"
                         "label /r1|label /r2")
                       << files << "pages 2",
                   lines("field address.street=Kordon|outline Bölüm 2 @1|outline   2.1 @2|"
                         "outline   2.2 @3|label /D2|label /D3|label /D4")
                       << files << "link 3->" + url << "pages 3"};
        // Headings whose own page is gone stay, without a destination, above kept entries.
        QTest::newRow("delete 1, 4")
            << "delete" << QStringList{"Zengin.pdf"} << Grouping{{0, 3}}
            << QList<QStringList>{
                   lines(
                       "field address.street=Kordon|field agree=/Yes|field city=Ankara|"
                       "outline Bölüm 1 @- +|outline   1.1 @1|outline   1.2 @2|outline Bölüm 2 @-|"
                       "outline   2.1 @3|outline   2.2 @4|label /r2|label /D1|label /D3|label /D4")
                   << files << "link 4->" + url << "pages 4"};
    }

    void keepsWhatBelongsToPages()
    {
        QFETCH(QString, operation);
        QFETCH(QStringList, inputs);
        QFETCH(Grouping, groups);
        QFETCH(QList<QStringList>, outputs);

        const QStringList written = run(operation, inputs, groups);

        QCOMPARE(written.size(), outputs.size());
        for (qsizetype i = 0; i < written.size(); ++i) {
            QCOMPARE(StructureFixtures::describe(written[i]), outputs[i]);
            QVERIFY(Fixtures::qpdfCheckIsClean(written[i]));
        }
    }

    // Filling a field of one copy leaves the same field of the other copy as it was.
    void mergedFormsFillApart()
    {
        run("merge", {"Zengin.pdf", "A.pdf", "Zengin.pdf"}, {});
        StructureFixtures::fill(path("out.pdf"), "name", "Mehmet");

        const QStringList lines = StructureFixtures::describe(path("out.pdf"));
        QVERIFY(lines.contains("field name=Mehmet"));
        QVERIFY(lines.contains("field name+1=Ayşe"));
        // An input without bookmarks or labels: one entry at its first page, decimal labels from 1.
        QVERIFY(lines.contains("outline A.pdf @7"));
        QVERIFY(lines.join(u'|').contains("label /D4|label /D1|label /D2|label /r1"));
    }

    // Signing and compressing rewrite the document itself: every part stays as it was.
    void rewritesKeepEverything()
    {
        ImageFixtures::Builder photo; // a page compression can shrink
        photo.addPage(photo.image(ImageFixtures::Kind::rgb, 1600, 1000), "Foto");
        photo.write(path("Foto-sayfa.pdf"));
        placed(path("."), [&](auto& outputs) {
            PDFEngine::merge({{{path("Zengin.pdf"), {}}, {path("Foto-sayfa.pdf"), {}}},
                              path("Foto.pdf")},
                             outputs);
        });
        const QStringList before = StructureFixtures::describe(path("Foto.pdf"));
        const SignatureArt art(
            SignatureArt::Strokes{{{{0.1, 0.5}, {0.9, 0.5}}}, 0.06, InkColor::black});

        placed(path("."), [&](auto& outputs) {
            PDFEngine::sign(PDFSource{path("Foto.pdf"), {}}, {{0, QRectF(0.1, 0.1, 0.3, 0.1), art}},
                            path("imzalı.pdf"), outputs);
        });
        QVERIFY(placed(path("."), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{path("Foto.pdf"), {}}, CompressionLevel::strong,
                                       path("küçük.pdf"), outputs);
        }));

        QCOMPARE(StructureFixtures::describe(path("imzalı.pdf")), before);
        QCOMPARE(StructureFixtures::describe(path("küçük.pdf")), before);
    }

    // A damaged part is left out; every operation still writes complete, clean files.
    void hostileStructuresEnd()
    {
        for (Hostility hostility : {Hostility::outlineLoop, Hostility::selfParentField,
                                    Hostility::deepNameTree, Hostility::destinationToNowhere}) {
            StructureFixtures::writeHostile(path("Bozuk.pdf"), hostility);
            QCOMPARE(Fixtures::readTags(run("merge", {"Bozuk.pdf"}, {}).first()).size(), 6);
            QCOMPARE(run("split", {"Bozuk.pdf"}, PDFEngine::chunks(6, 1)).size(), 6);
            const QStringList kept = run("delete", {"Bozuk.pdf"}, {{0}});
            QCOMPARE(Fixtures::readTags(kept.first()), QStringList({"R2", "R3", "R4", "R5", "R6"}));
            QVERIFY(Fixtures::qpdfCheckIsClean(kept.first()));
            QVERIFY(StructureFixtures::describe(kept.first()).contains("label /r2"));
        }
    }

    void realDocumentsLoseNothing_data()
    {
        QTest::addColumn<QString>("file");
        QStringList folders{Fixtures::corpusFile("misc")};
        if (Fixtures::fullSweep()) {
            folders << Fixtures::sweepCorpus() + "/real";
        }
        for (const QString& folder : folders) {
            for (const QFileInfo& file :
                 QDir(folder).entryInfoList({"*.pdf"}, QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(QDir(folder).dirName() + '/' + file.fileName()))
                    << file.filePath();
            }
        }
    }

    // Real producers' documents merged, copied and split lose none of their structure.
    void realDocumentsLoseNothing()
    {
        QFETCH(QString, file);
        const QStringList kinds{"field", "outline", "label", "attachment", "link"};
        // The lines of one kind ("field", "outline", ...), links that lead nowhere left out.
        const auto kind = [](const QStringList& lines, const QString& name) {
            return lines.filter(QRegularExpression("^" + name + " (?!.*->-$)"));
        };
        const qint64 pages =
            PDFEngine::run(PDFEngine::InspectJob{{file, {}}}).pageCount.value_or(0);
        if (pages == 0) {
            return; // locked with a password, no PDF at all, or nothing to carry
        }
        const QString name = QFileInfo(file).fileName();
        const QStringList before = StructureFixtures::describe(file);
        // The first copy's halves swapped by range text, the second whole.
        const QString halves =
            pages > 1 ? QStringLiteral("%1-, 1-%2").arg(pages / 2 + 1).arg(pages / 2) : "1";
        const QStringList merged =
            StructureFixtures::describe(run("merge", {file, file}, {}, {halves}).first());
        Pages turned; // reversed, every second page turned
        for (int page = int(pages) - 1; page >= 0; --page) {
            turned.append({0, page, page % 2});
        }
        placed(path("."), [&](auto& outputs) {
            PDFEngine::organize({{{file, {}}}, turned, path("organized.pdf")}, outputs);
        });
        const QStringList organized = StructureFixtures::describe(path("organized.pdf"));
        const QStringList copied = StructureFixtures::describe(run("delete", {file}, {{}}).first());
        QStringList parts;
        for (const QString& part : run("split", {file}, PDFEngine::chunks(pages, 1))) {
            parts << StructureFixtures::describe(part);
        }
        for (const QString& kindName : kinds) {
            const QStringList lines = kind(before, kindName);
            QVERIFY2(kind(copied, kindName) == lines, qPrintable(name + " " + kindName));
            // Organized: the same parts, outlines and links leading elsewhere, labels reordered.
            const QStringList reordered = kind(organized, kindName);
            QVERIFY2(kindName == "outline" || kindName == "link"
                         ? reordered.size() == lines.size()
                         : std::is_permutation(reordered.begin(), reordered.end(), lines.begin(),
                                               lines.end()),
                     qPrintable(name + " organized " + kindName));
            const qsizetype extra = kindName == "outline" ? 2 : 0; // one title per input
            QCOMPARE(kind(merged, kindName).size(), 2 * lines.size() + extra);
        }
        for (const QString& line : kind(before, "field") + kind(before, "attachment")) {
            QVERIFY2(parts.contains(line), qPrintable(name + ": " + line));
        }
    }

private:
    // Runs operation ("merge", "split" or "delete") over inputs; returns the outputs.
    QStringList run(const QString& operation, const QStringList& inputs, const Grouping& groups,
                    const QStringList& ranges = {})
    {
        QList<PDFSource> sources;
        for (const QString& input : inputs) {
            sources.append(PDFSource{QDir(m_dir->path()).absoluteFilePath(input), std::nullopt});
        }
        if (operation == "merge") {
            placed(path("."), [&](auto& outputs) {
                PDFEngine::merge({sources, path("out.pdf"), ranges}, outputs);
            });
            return {path("out.pdf")};
        }
        if (operation == "split") {
            QDir(path(".")).mkpath("parts");
            return placed(path("parts"), [&](auto& outputs) {
                return PDFEngine::split(sources.first(), groups, outputs);
            });
        }
        const QList<int> removing = groups.value(0);
        placed(path("."), [&](auto& outputs) {
            PDFEngine::deletePages(sources.first(), QSet<int>(removing.begin(), removing.end()),
                                   path("out.pdf"), outputs);
        });
        return {path("out.pdf")};
    }

    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(StructureTest)
#include "StructureTest.moc"

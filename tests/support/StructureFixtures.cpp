#include "StructureFixtures.h"

#include "Fixtures.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
#include <algorithm>
#include <map>

namespace StructureFixtures {

namespace {

using OH = QPDFObjectHandle;

void load(QPDF& pdf, const QString& path)
{
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
}

// Writes beside path, then over it: qpdf still reads the streams from the file it opened.
void save(QPDF& pdf, const QString& path)
{
    const QByteArray name = QFile::encodeName(path + ".new");
    QPDFWriter writer(pdf, name.constData());
    writer.write();
    QFile::remove(path);
    QFile::rename(path + ".new", path);
}

// Objects as text, "@name" standing for the page or object of that name.
const std::string widget =
    "<< /Type /Annot /Subtype /Widget /Rect [50 700 250 720] /AP << /N @look >> ";
const std::string link = "<< /Type /Annot /Subtype /Link /Rect [50 50 150 70] ";
const std::vector<std::pair<std::string, std::string>> richObjects{
    {"@name", widget + "/P @P1 /FT /Tx /T (name) /V <FEFF00410079015F0065> >>"},
    {"@agree", widget + "/P @P2 /FT /Btn /T (agree) /V /Yes /AS /Yes >>"},
    {"@city",
     widget + "/P @P3 /FT /Ch /Ff 131072 /T (city) /Opt [(Izmir) (Ankara)] /V (Ankara) >>"},
    {"@address", "<< /T (address) /Kids [@street] >>"},
    {"@street", widget + "/P @P5 /Parent @address /FT /Tx /T (street) /V (Kordon) >>"},
    {"@outlines", "<< /Type /Outlines /First @one /Last @two /Count 4 >>"},
    {"@one", "<< /Title <FEFF004200F6006C00FC006D00200031> /Parent @outlines /Dest [@P1 /Fit] "
             "/Next @two /First @s11 /Last @s12 /Count 2 >>"},
    {"@two", "<< /Title <FEFF004200F6006C00FC006D00200032> /Parent @outlines /Dest [@P4 /Fit] "
             "/Prev @one /First @s21 /Last @s22 /Count -2 >>"},
    {"@s11", "<< /Title (1.1) /Parent @one /Dest (sec11) /Next @s12 >>"},
    {"@s12", "<< /Title (1.2) /Parent @one /Dest [@P3 /Fit] /Prev @s11 >>"},
    {"@s21", "<< /Title (2.1) /Parent @two /A << /S /GoTo /D (sec21) >> /Next @s22 >>"},
    {"@s22", "<< /Title (2.2) /Parent @two /Dest [@P6 /Fit] /Prev @s21 >>"},
    {"@toP6", link + "/Dest [@P6 /Fit] >>"},
    {"@toSec11", link + "/Dest (sec11) >>"},
    {"@web", link + "/A << /S /URI /URI (https://example.org/) >> >>"},
};

// The form, outline, named destinations, labels, attachments and links of the rich document.
const std::vector<std::pair<std::string, std::string>> richParts{
    {"/AcroForm", "<< /Fields [@name @agree @city @address] /DA (/Helv 0 Tf 0 g) /DR << /Font "
                  "<< /Helv << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >>"},
    {"/Names", "<< /Dests << /Names [(sec11) [@P2 /Fit] (sec21) << /D [@P5 /Fit] >>] >> "
               "/EmbeddedFiles << /Names [(notlar.txt) << /Type /Filespec /F (notlar.txt) /UF "
               "(notlar.txt) /EF << /F @notes >> >> (veri.csv) << /Type /Filespec /F (veri.csv) "
               "/UF (veri.csv) /EF << /F @data >> >>] >> >>"},
    {"/PageLabels", "<< /Nums [0 << /S /r >> 2 << /S /D >>] >>"},
};

OH parse(QPDF& pdf, std::string text, const std::map<std::string, OH>& objects)
{
    for (auto [name, object] : objects) {
        for (size_t at = 0; (at = text.find(name + ' ')) != std::string::npos ||
                            (at = text.find(name + ']')) != std::string::npos;) {
            text.replace(at, name.size(), object.unparse());
        }
    }
    return OH::parse(&pdf, text);
}

void addParts(QPDF& pdf, const std::vector<QPDFPageObjectHelper>& pages)
{
    std::map<std::string, OH> objects;
    for (size_t i = 0; i < pages.size(); ++i) {
        objects.emplace("@P" + std::to_string(i + 1), pages[i].getObjectHandle());
    }
    objects.emplace("@look", pdf.newStream("/Tx BMC BT /Helv 12 Tf 2 5 Td (x) Tj ET EMC"));
    objects["@look"].replaceDict(OH::parse("<< /BBox [0 0 200 20] >>"));
    objects.emplace("@notes", pdf.newStream("birinci"));
    objects.emplace("@data", pdf.newStream("a,b;1,2"));
    for (const auto& [name, text] : richObjects) {
        objects.emplace(name, pdf.makeIndirectObject(OH::newNull()));
    }
    for (const auto& [name, text] : richObjects) {
        pdf.replaceObject(objects[name].getObjGen(), parse(pdf, text, objects));
    }
    pdf.getRoot().replaceKey("/Outlines", objects["@outlines"]);
    for (const auto& [key, text] : richParts) {
        pdf.getRoot().replaceKey(key, parse(pdf, text + ' ', objects));
    }
    for (const auto& [page, annots] :
         {std::pair{0, "[@name @toP6]"}, std::pair{1, "[@agree]"}, std::pair{2, "[@city]"},
          std::pair{3, "[@toSec11]"}, std::pair{4, "[@street]"}, std::pair{5, "[@web]"}}) {
        OH(pages[static_cast<size_t>(page)].getObjectHandle())
            .replaceKey("/Annots", parse(pdf, annots, objects));
    }
}

struct Reader {
    QPDFOutlineDocumentHelper& outlines;
    std::map<QPDFObjGen, int> index;
    QStringList lines;

    // The page a destination (array, name, string or dictionary with /D) opens.
    QString target(OH dest)
    {
        if (dest.isName() || dest.isString()) {
            dest = outlines.resolveNamedDest(dest);
        }
        if (dest.isDictionary()) {
            dest = dest.getKey("/D");
        }
        OH page = dest.isArray() ? dest.getArrayItem(0) : dest;
        const auto found = page.isIndirect() ? index.find(page.getObjGen()) : index.end();
        return found == index.end() ? QStringLiteral("-") : QString::number(found->second + 1);
    }

    void outline(std::vector<QPDFOutlineObjectHelper> items, int depth)
    {
        for (QPDFOutlineObjectHelper& item : items) {
            lines << QStringLiteral("outline %1%2 @%3%4")
                         .arg(QString(qsizetype{2} * depth, u' '),
                              QString::fromStdString(item.getTitle()), target(item.getDest()),
                              item.getCount() > 0 ? " +" : "");
            outline(item.getKids(), depth + 1);
        }
    }
};

} // namespace

void writeRich(const QString& path, bool scanned)
{
    Fixtures::writePdf(path, scanned ? QList<Fixtures::Page>(6) : Fixtures::tagged("R", 6));
    QPDF pdf;
    load(pdf, path);
    addParts(pdf, QPDFPageDocumentHelper(pdf).getAllPages());
    save(pdf, path);
}

void writeHostile(const QString& path, Hostility hostility)
{
    writeRich(path);
    QPDF pdf;
    load(pdf, path);
    OH root = pdf.getRoot();
    OH first = root.getKey("/Outlines").getKey("/First");
    switch (hostility) {
    case Hostility::outlineLoop:
        root.getKey("/Outlines").getKey("/Last").replaceKey("/Next", first);
        first.getKey("/First").replaceKey("/First", first);
        break;
    case Hostility::selfParentField: {
        OH address = root.getKey("/AcroForm").getKey("/Fields").getArrayItem(3);
        address.replaceKey("/Parent", address);
        address.getKey("/Kids").appendItem(address);
        break;
    }
    case Hostility::deepNameTree: {
        OH leaf = root.getKey("/Names").getKey("/Dests");
        for (int level = 0; level < 10000; ++level) {
            leaf = pdf.makeIndirectObject(OH::newDictionary({{"/Kids", OH::newArray({leaf})}}));
        }
        root.getKey("/Names").replaceKey("/Dests", leaf);
        root.getKey("/Names").replaceKey("/EmbeddedFiles", leaf);
        break;
    }
    case Hostility::destinationToNowhere:
        first.replaceKey("/Dest", OH::parse(&pdf, "[999 0 R /Fit]"));
        first.getKey("/First").replaceKey("/Dest", OH::newString("missing"));
        break;
    }
    save(pdf, path);
}

QStringList describe(const QString& path)
{
    QPDF pdf;
    load(pdf, path);
    QPDFOutlineDocumentHelper outlines(pdf);
    Reader reader{outlines, {}, {}};
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    for (size_t i = 0; i < pages.size(); ++i) {
        reader.index.emplace(pages[i].getObjectHandle().getObjGen(), static_cast<int>(i));
    }
    QPDFAcroFormDocumentHelper form(pdf);
    QStringList fields;
    for (QPDFFormFieldObjectHelper& field : form.getFormFields()) {
        OH value = field.getValue();
        fields << QString::fromStdString(
            "field " + field.getFullyQualifiedName() + "=" +
            (value.isName() ? value.getName() : field.getValueAsString()));
    }
    fields.sort();
    reader.lines << fields;
    reader.outline(outlines.getTopLevelOutlines(), 0);
    QPDFPageLabelDocumentHelper labels(pdf);
    for (size_t i = 0; labels.hasPageLabels() && i < pages.size(); ++i) {
        OH entry = labels.getLabelForPage(static_cast<long long>(i)); // prefix, style, number
        reader.lines << QString::fromStdString(
            "label " + (entry.getKey("/P").isString() ? entry.getKey("/P").getUTF8Value() : "") +
            entry.getKey("/S").unparse() + entry.getKey("/St").unparse());
    }
    for (const auto& [name, spec] : QPDFEmbeddedFileDocumentHelper(pdf).getEmbeddedFiles()) {
        const std::shared_ptr<Buffer> data = spec->getEmbeddedFileStream().getStreamData();
        reader.lines << QString::fromStdString("attachment " + name + "=") +
                            QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                                       static_cast<qsizetype>(data->getSize()));
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        for (QPDFAnnotationObjectHelper& annot :
             QPDFPageObjectHelper(pages[i]).getAnnotations("/Link")) {
            OH link = annot.getObjectHandle();
            OH action = link.getKey("/A");
            const QString target =
                action.getKey("/URI").isString()
                    ? QString::fromStdString(action.getKey("/URI").getUTF8Value())
                    : reader.target(link.hasKey("/Dest") ? link.getKey("/Dest")
                                                         : action.getKey("/D"));
            reader.lines << QStringLiteral("link %1->%2").arg(i + 1).arg(target);
        }
    }
    const std::vector<OH> objects = pdf.getAllObjects();
    reader.lines
        << QStringLiteral("pages %1").arg(std::count_if(objects.begin(), objects.end(), [](OH o) {
               return o.isDictionaryOfType("/Page");
           }));
    return reader.lines;
}

void fill(const QString& path, const QString& qualifiedName, const QString& value)
{
    QPDF pdf;
    load(pdf, path);
    QPDFAcroFormDocumentHelper form(pdf);
    for (QPDFObjGen field : form.getFieldsWithQualifiedName(qualifiedName.toStdString())) {
        QPDFFormFieldObjectHelper(pdf.getObject(field)).setV(value.toStdString());
    }
    save(pdf, path);
}

} // namespace StructureFixtures

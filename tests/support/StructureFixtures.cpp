#include "StructureFixtures.h"

#include "Fixtures.h"
#include "ImageFixtures.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
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
    writer.setStaticID(true);
    writer.write();
    QFile::remove(path);
    QFile::rename(path + ".new", path);
}

OH widget(QPDF& pdf, const OH& page, const std::string& fields)
{
    OH annot = pdf.makeIndirectObject(
        OH::parse("<< /Type /Annot /Subtype /Widget /Rect [50 700 250 720] " + fields + " >>"));
    annot.replaceKey("/P", page);
    OH appearance = pdf.newStream("/Tx BMC BT /Helv 12 Tf 2 5 Td (x) Tj ET EMC");
    appearance.getDict().replaceKey("/BBox", OH::parse("[0 0 200 20]"));
    annot.replaceKey("/AP", OH::newDictionary());
    annot.getKey("/AP").replaceKey("/N", appearance);
    return annot;
}

void addAnnot(OH page, const OH& annot)
{
    if (!page.getKey("/Annots").isArray()) {
        page.replaceKey("/Annots", OH::newArray());
    }
    page.getKey("/Annots").appendItem(annot);
}

OH outlineItem(QPDF& pdf, const std::string& title, const OH& parent, const char* key,
               const OH& target)
{
    return pdf.makeIndirectObject(OH::newDictionary(
        {{"/Title", OH::newUnicodeString(title)}, {"/Parent", parent}, {key, target}}));
}

// Links items as the children of parent.
void children(const OH& parent, const std::vector<OH>& items, int count)
{
    OH p = parent;
    p.replaceKey("/First", items.front());
    p.replaceKey("/Last", items.back());
    p.replaceKey("/Count", OH::newInteger(count));
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        OH(items[i]).replaceKey("/Next", items[i + 1]);
        OH(items[i + 1]).replaceKey("/Prev", items[i]);
    }
}

OH fileSpec(QPDF& pdf, const std::string& name, const std::string& bytes)
{
    OH stream = pdf.newStream(bytes);
    stream.getDict().replaceKey("/Type", OH::newName("/EmbeddedFile"));
    OH spec = OH::parse("<< /Type /Filespec /F (" + name + ") /UF (" + name + ") >>");
    spec.replaceKey("/EF", OH::newDictionary({{"/F", stream}}));
    return pdf.makeIndirectObject(spec);
}

void addForm(QPDF& pdf, const std::vector<QPDFPageObjectHelper>& pages)
{
    auto page = [&pages](int i) { return pages[static_cast<size_t>(i)].getObjectHandle(); };
    OH name = widget(pdf, page(0), "/FT /Tx /T (name) /V <FEFF00410079015F0065>");
    OH agree = widget(pdf, page(1), "/FT /Btn /T (agree) /V /Yes /AS /Yes");
    OH city =
        widget(pdf, page(2), "/FT /Ch /Ff 131072 /T (city) /Opt [(Izmir) (Ankara)] /V (Ankara)");
    OH address = pdf.makeIndirectObject(OH::parse("<< /T (address) >>"));
    OH street = widget(pdf, page(4), "/FT /Tx /T (street) /V (Kordon)");
    street.replaceKey("/Parent", address);
    address.replaceKey("/Kids", OH::newArray({street}));
    for (const auto& [index, annot] :
         {std::pair{0, name}, std::pair{1, agree}, std::pair{2, city}, std::pair{4, street}}) {
        addAnnot(page(index), annot);
    }
    OH form = OH::parse("<< /DA (/Helv 0 Tf 0 g) >>");
    form.replaceKey("/Fields", OH::newArray({name, agree, city, address}));
    form.replaceKey("/DR", OH::parse("<< /Font << /Helv << /Type /Font /Subtype /Type1 "
                                     "/BaseFont /Helvetica >> >> >>"));
    pdf.getRoot().replaceKey("/AcroForm", pdf.makeIndirectObject(form));
}

void addOutline(QPDF& pdf, const std::vector<QPDFPageObjectHelper>& pages)
{
    auto dest = [&pages](int i, const char* view) {
        return OH::newArray({pages[static_cast<size_t>(i)].getObjectHandle(), OH::parse(view)});
    };
    OH root = pdf.makeIndirectObject(OH::parse("<< /Type /Outlines >>"));
    OH one = outlineItem(pdf, "Bölüm 1", root, "/Dest", dest(0, "/Fit"));
    OH two = outlineItem(pdf, "Bölüm 2", root, "/Dest", dest(3, "/Fit"));
    children(root, {one, two}, 4);
    children(one,
             {outlineItem(pdf, "1.1", one, "/Dest", OH::newString("sec11")),
              outlineItem(pdf, "1.2", one, "/Dest", dest(2, "/Fit"))},
             2);
    children(two,
             {outlineItem(pdf, "2.1", two, "/A", OH::parse("<< /S /GoTo /D (sec21) >>")),
              outlineItem(pdf, "2.2", two, "/Dest", dest(5, "/Fit"))},
             -2);
    pdf.getRoot().replaceKey("/Outlines", root);
    OH names = OH::newDictionary();
    names.replaceKey("/Dests", OH::newDictionary());
    names.getKey("/Dests").replaceKey("/Names",
                                      OH::newArray({OH::newString("sec11"), dest(1, "/Fit"),
                                                    OH::newString("sec21"),
                                                    OH::newDictionary({{"/D", dest(4, "/Fit")}})}));
    names.replaceKey("/EmbeddedFiles", OH::newDictionary());
    names.getKey("/EmbeddedFiles")
        .replaceKey("/Names",
                    OH::newArray({OH::newString("notlar.txt"),
                                  fileSpec(pdf, "notlar.txt", "birinci"), OH::newString("veri.csv"),
                                  fileSpec(pdf, "veri.csv", "a,b;1,2")}));
    pdf.getRoot().replaceKey("/Names", names);
    pdf.getRoot().replaceKey("/PageLabels", OH::parse("<< /Nums [0 << /S /r >> 2 << /S /D >>] >>"));
    auto link = [&](int on, const std::string& action) {
        OH annot = pdf.makeIndirectObject(
            OH::parse("<< /Type /Annot /Subtype /Link /Rect [50 50 150 70] " + action + " >>"));
        addAnnot(pages[static_cast<size_t>(on)].getObjectHandle(), annot);
        return annot;
    };
    link(0, "").replaceKey("/Dest", dest(5, "/Fit"));
    link(3, "/Dest (sec11)");
    link(5, "/A << /S /URI /URI (https://example.org/) >>");
}

// A label as its parts: prefix, style and number ("r1" for the first roman page).
QString label(OH entry)
{
    const long long number = entry.getKey("/St").isInteger() ? entry.getKey("/St").getIntValue()
                                                             : 1;
    return QString::fromStdString(
               (entry.getKey("/P").isString() ? entry.getKey("/P").getUTF8Value() : "") +
               (entry.getKey("/S").isName() ? entry.getKey("/S").getName().substr(1) : "")) +
           QString::number(number);
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
        return pageOf(dest.isArray() ? dest.getArrayItem(0) : dest);
    }

    QString pageOf(const OH& page)
    {
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

void writeRich(const QString& path, bool photo)
{
    Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("R"), 6));
    QPDF pdf;
    load(pdf, path);
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    addForm(pdf, pages);
    addOutline(pdf, pages);
    if (photo) {
        const QByteArray samples = ImageFixtures::photoSamples(1600, 1000, 3);
        OH image = pdf.newStream(ImageFixtures::jpeg(samples, 1600, 1000, 95).toStdString());
        image.replaceDict(
            OH::parse("<< /Type /XObject /Subtype /Image /Width 1600 /Height 1000 "
                      "/ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode >>"));
        QPDFPageObjectHelper first = pages.front();
        first.getObjectHandle()
            .getKey("/Resources")
            .replaceKey("/XObject", OH::newDictionary({{"/Photo", image}}));
        first.addPageContents(pdf.newStream("q 400 0 0 250 100 300 cm /Photo Do Q"), false);
    }
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
        reader.lines << "label " + label(labels.getLabelForPage(static_cast<long long>(i)));
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
            OH dest = link.getKey("/Dest");
            OH action = link.getKey("/A");
            if (dest.isNull() && action.getKey("/S").isNameAndEquals("/GoTo")) {
                dest = action.getKey("/D");
            }
            const QString target =
                action.getKey("/URI").isString()
                    ? QString::fromStdString(action.getKey("/URI").getUTF8Value())
                    : reader.target(dest);
            reader.lines << QStringLiteral("link %1->%2").arg(i + 1).arg(target);
        }
    }
    int pageObjects = 0;
    for (OH object : pdf.getAllObjects()) {
        pageObjects += object.isDictionaryOfType("/Page") ? 1 : 0;
    }
    reader.lines << QStringLiteral("pages %1").arg(pageObjects);
    return reader.lines;
}

void fill(const QString& path, const QString& qualifiedName, const QString& value)
{
    QPDF pdf;
    load(pdf, path);
    QPDFAcroFormDocumentHelper form(pdf);
    for (QPDFFormFieldObjectHelper& field : form.getFormFields()) {
        if (field.getFullyQualifiedName() == qualifiedName.toStdString()) {
            field.setV(OH::newUnicodeString(value.toStdString()), false);
        }
    }
    save(pdf, path);
}

} // namespace StructureFixtures

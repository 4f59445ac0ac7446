#include "FontFixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
#include <QMap>
#include <QRawFont>
#include <QStringList>

namespace FontFixtures {

namespace {

QPDFObjectHandle name(const char* n)
{
    return QPDFObjectHandle::newName(n);
}

std::string hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toStdString();
}

// One font of the document: how to turn text into its codes.
struct Entry {
    Kind kind;
    QString path;
    QMap<QChar, unsigned> codes; // cidMapped: one byte per character
};

QByteArray cp1252(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        out.append(c == QChar(0x201c) ? '\x93' : c == QChar(0x201d) ? '\x94' : char(c.unicode()));
    }
    return out;
}

} // namespace

QString dejaVuPath()
{
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

QString nimbusPath()
{
    return QStringLiteral("/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf");
}

struct Builder::Private {
    QPDF pdf;
    QMap<QPDFObjGen, Entry> entries;
};

Builder::Builder() : d(std::make_unique<Private>())
{
    d->pdf.emptyPDF();
}

Builder::~Builder() = default;

QPDF& Builder::pdf()
{
    return d->pdf;
}

QPDFObjectHandle Builder::font(Kind kind, const QByteArray& program, const QString& tag)
{
    QPDF& pdf = d->pdf;
    const bool cff = kind == Kind::simpleCff || kind == Kind::cidOpenType;
    QPDFObjectHandle file = pdf.newStream(program.toStdString());
    if (cff) {
        file.getDict().replaceKey("/Subtype",
                                  name(kind == Kind::simpleCff ? "/Type1C" : "/OpenType"));
    } else {
        file.getDict().replaceKey("/Length1", QPDFObjectHandle::newInteger(program.size()));
    }
    QPDFObjectHandle descriptor = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /FontDescriptor /FontName /Fixture /Flags 32 /FontBBox [-1000 -500 2000 1300]"
        " /ItalicAngle 0 /Ascent 900 /Descent -250 /CapHeight 700 /StemV 80 >>"));
    descriptor.replaceKey(cff ? "/FontFile3" : "/FontFile2", file);
    QPDFObjectHandle font =
        pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Font /BaseFont /Fixture >>"));
    font.replaceKey("/FixtureTag", QPDFObjectHandle::newUnicodeString(tag.toStdString()));
    Entry entry{kind, cff ? nimbusPath() : dejaVuPath(), {}};
    if (kind == Kind::simpleTrueType || kind == Kind::simpleCff) {
        font.replaceKey("/Subtype", name(kind == Kind::simpleCff ? "/Type1" : "/TrueType"));
        font.replaceKey("/FontDescriptor", descriptor);
        font.replaceKey("/Encoding",
                        kind == Kind::simpleCff
                            ? QPDFObjectHandle::parse("<< /BaseEncoding /WinAnsiEncoding"
                                                      " /Differences [233 /eacute] >>")
                            : name("/WinAnsiEncoding"));
    } else {
        QPDFObjectHandle cid = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Font /BaseFont /Fixture /CIDSystemInfo << /Registry (Adobe) /Ordering "
            "(Identity) /Supplement 0 >> >>"));
        cid.replaceKey("/Subtype",
                       name(kind == Kind::cidOpenType ? "/CIDFontType0" : "/CIDFontType2"));
        cid.replaceKey("/FontDescriptor", descriptor);
        font.replaceKey("/Subtype", name("/Type0"));
        font.replaceKey("/DescendantFonts", QPDFObjectHandle::newArray({cid}));
        font.replaceKey("/Encoding", name("/Identity-H"));
    }
    d->entries.insert(font.getObjGen(), entry);
    return font;
}

void Builder::addPage(const QList<std::pair<QPDFObjectHandle, QString>>& lines)
{
    QPDF& pdf = d->pdf;
    QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
    std::string content;
    double y = 740;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QPDFObjectHandle font = lines[i].first;
        Entry& entry = d->entries[font.getObjGen()];
        const QString& text = lines[i].second;
        const QRawFont raw(entry.path, 20);
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        std::string codes;
        std::string toUnicode;
        if (entry.kind == Kind::simpleTrueType || entry.kind == Kind::simpleCff) {
            codes = cp1252(text).toHex().toStdString();
        } else if (entry.kind == Kind::cidMapped) {
            for (const QChar c : text) {
                const unsigned code = entry.codes.value(c, unsigned(entry.codes.size() + 1));
                entry.codes.insert(c, code);
                codes += hex4(code).substr(2);
            }
        } else {
            for (qsizetype k = 0; k < glyphs.size(); ++k) {
                codes += hex4(glyphs[k]);
                toUnicode += "<" + hex4(glyphs[k]) + "> <" + hex4(text[k].unicode()) + ">\n";
            }
        }
        if (entry.kind == Kind::cidMapped) {
            // Code c selects CID c + 100, which the map sends to the character's glyph.
            std::string cmap = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                               "1 begincodespacerange <00> <ff> endcodespacerange\n";
            std::string map(2 * (entry.codes.size() + 101), '\0');
            std::string chars = std::to_string(entry.codes.size()) + " begincidchar\n";
            for (auto it = entry.codes.begin(); it != entry.codes.end(); ++it) {
                const unsigned glyph = raw.glyphIndexesForString(QString(it.key())).value(0);
                const size_t at = 2 * (size_t(it.value()) + 100);
                map[at] = char(glyph >> 8);
                map[at + 1] = char(glyph & 0xff);
                chars += "<" + hex4(it.value()).substr(2) + "> " +
                         std::to_string(it.value() + 100) + "\n";
                toUnicode +=
                    "<" + hex4(it.value()).substr(2) + "> <" + hex4(it.key().unicode()) + ">\n";
            }
            cmap += chars + "endcidchar\nendcmap end end\n";
            font.replaceKey("/Encoding", pdf.newStream(cmap));
            font.getKey("/DescendantFonts")
                .getArrayItem(0)
                .replaceKey("/CIDToGIDMap", pdf.newStream(map));
        }
        if (!toUnicode.empty()) {
            const std::string space = entry.kind == Kind::cidMapped ? "<00> <ff>" : "<0000> <ffff>";
            std::string cmap = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap "
                               "1 begincodespacerange ";
            cmap.append(space).append(" endcodespacerange 100 beginbfchar\n").append(toUnicode);
            font.replaceKey("/ToUnicode", pdf.newStream(cmap + "endbfchar endcmap end end\n"));
        }
        const std::string key = "/F" + std::to_string(i + 1);
        fonts.replaceKey(key, font);
        content += "BT " + key + " 20 Tf 40 " + std::to_string(int(y)) + " Td <";
        content += codes + "> Tj ET\n";
        y -= 36;
    }
    QPDFObjectHandle page = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>"));
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/Font", fonts);
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents", pdf.newStream(content));
    QPDFPageDocumentHelper(pdf).addPage(page, false);
}

void Builder::write(const QString& path)
{
    QPDFWriter writer(d->pdf, QFile::encodeName(path).constData());
    writer.setStaticID(true);
    writer.write();
}

QByteArray programOf(const QString& path, const QString& tag)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (object.isDictionary() && object.getKey("/FixtureTag").isString() &&
            object.getKey("/FixtureTag").getUTF8Value() == tag.toStdString()) {
            QPDFObjectHandle holder = object.getKey("/DescendantFonts").isArray()
                                          ? object.getKey("/DescendantFonts").getArrayItem(0)
                                          : object;
            QPDFObjectHandle descriptor = holder.getKey("/FontDescriptor");
            QPDFObjectHandle file = descriptor.getKey("/FontFile2").isStream()
                                        ? descriptor.getKey("/FontFile2")
                                        : descriptor.getKey("/FontFile3");
            const auto data = file.getRawStreamData();
            return QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                              qsizetype(data->getSize()));
        }
    }
    return {};
}

} // namespace FontFixtures

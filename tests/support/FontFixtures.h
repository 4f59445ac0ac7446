#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <QByteArray>
#include <QString>
#include <memory>

class QPDF;

// PDFs whose text is drawn with whole embedded font programs, glyph IDs read by Qt.
namespace FontFixtures {

enum class Kind {
    cidTrueType,    // Identity-H over a CIDFontType2 with an identity CIDToGIDMap
    cidMapped,      // an embedded one-byte CMap and a CIDToGIDMap stream
    simpleTrueType, // WinAnsiEncoding through the font's (3,1) cmap
    simpleCff,      // a bare CFF (Type1C) read by glyph names, with /Differences
    cidOpenType,    // a whole OpenType CFF font under a CIDFontType0
};

QString dejaVuPath();
QString nimbusPath(); // an OpenType font with CFF outlines

class Builder {
public:
    Builder();
    ~Builder();
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    // A font of that kind, tagged, over a program (the file's bytes, or its CFF for simpleCff).
    QPDFObjectHandle font(Kind kind, const QByteArray& program, const QString& tag);
    // A page that shows each line with the font as /F<n>, one under the other.
    void addPage(const QList<std::pair<QPDFObjectHandle, QString>>& lines);
    QPDF& pdf();
    void write(const QString& path);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The stored bytes of the program of the font tagged tag.
QByteArray programOf(const QString& path, const QString& tag);

} // namespace FontFixtures

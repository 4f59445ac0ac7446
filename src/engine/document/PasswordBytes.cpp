#include "engine/document/PasswordBytes.h"

#include <qpdf/QUtil.hh>

#include <optional>
#include <string>

namespace PasswordBytes {

namespace {

// Windows-1254 differs from Latin-1 in 0x80-0x9F and in six Turkish letters.
std::optional<char> windows1254(char16_t c)
{
    static const char16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
                                      0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,
                                      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D,
                                      0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
                                      0x0153, 0,      0,      0x0178};
    static const std::pair<char16_t, unsigned char> turkish[] = {{0x011E, 0xD0}, {0x0130, 0xDD},
                                                                 {0x015E, 0xDE}, {0x011F, 0xF0},
                                                                 {0x0131, 0xFD}, {0x015F, 0xFE}};
    for (const auto& [letter, byte] : turkish) {
        if (c == letter) {
            return static_cast<char>(byte);
        }
    }
    for (int i = 0; i < 32; ++i) {
        if (high[i] != 0 && high[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    const bool replaced = c == 0xD0 || c == 0xDD || c == 0xDE || c == 0xF0 || c == 0xFD ||
                          c == 0xFE;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF && !replaced)) {
        return static_cast<char>(c);
    }
    return std::nullopt;
}

std::optional<QByteArray> inWindows1254(const QString& typed)
{
    QByteArray bytes;
    for (QChar c : typed) {
        const std::optional<char> byte = windows1254(c.unicode());
        if (!byte) {
            return std::nullopt;
        }
        bytes.append(*byte);
    }
    return bytes;
}

std::optional<QByteArray> inLatin1(const QString& typed)
{
    for (QChar c : typed) {
        if (c.unicode() > 0xFF) {
            return std::nullopt;
        }
    }
    return typed.toLatin1();
}

QByteArray bytesOf(const std::string& s)
{
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QList<QByteArray> candidates(const QString& typed)
{
    const QByteArray utf8 = typed.toUtf8();
    const std::string utf8String = utf8.toStdString();
    QList<std::optional<QByteArray>> all{utf8};
    std::string pdfDoc;
    if (QUtil::utf8_to_pdf_doc(utf8String, pdfDoc)) {
        all.append(bytesOf(pdfDoc));
    }
    all.append(inLatin1(typed));
    all.append(inWindows1254(typed));
    for (const std::string& repaired : QUtil::possible_repaired_encodings(utf8String)) {
        all.append(bytesOf(repaired));
    }
    QList<QByteArray> unique;
    for (const std::optional<QByteArray>& candidate : all) {
        if (candidate && !unique.contains(*candidate)) {
            unique.append(*candidate);
        }
    }
    return unique;
}

} // namespace PasswordBytes

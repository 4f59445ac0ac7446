#pragma once

#include <QString>

// Writes a PDF of scanned-looking pages made from known sentences, and beside it a
// table of every drawn word with its box in points (top-left origin), to measure
// recognition against.
namespace TestPages {
bool write(const QString& pdfPath, const QString& wordsPath);
}

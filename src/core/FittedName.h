#pragma once

#include <QString>

// stem followed by tail, stem cut at a character boundary so that the file name made of it, a
// number of up to reserve bytes (" 12") and ".pdf" fits the 255 bytes of UTF-8 a file system
// allows: the label, number and extension survive. The engine names its outputs with it, and the
// window shows the same names before a run.
QString fittedName(const QString& stem, const QString& tail, int reserve = 0);

#pragma once

#include "engine/include/Job.h"

#include <QDataStream>

// Jobs and outcomes as bytes, for the pipe between a parent and its worker.
// Reading never trusts a count: no list is longer than the bytes left, no
// enumeration takes a value it does not have, and a short or bad stream
// gives false with whatever was read so far.
namespace JobCoding {

void write(QDataStream& out, const PDFEngine::Job& job);
bool read(QDataStream& in, PDFEngine::Job& job);

void write(QDataStream& out, const PDFEngine::Outcome& outcome);
bool read(QDataStream& in, PDFEngine::Outcome& outcome);

} // namespace JobCoding

#pragma once

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFXRefEntry.hh>

#include <map>
#include <optional>
#include <string>
#include <vector>

class QPDF;

namespace PDFEngine {

// Objects a file packs in object streams, read one at a time. Asked for one packed object, qpdf
// parses every object of its stream and keeps them all; a check that visits only the pages of a
// written file would so hold nearly every object the file has. Read here, an object is parsed on
// its own and kept by whoever holds the handle; the stream's bytes are kept until the next stream.
class PackedObjects {
public:
    explicit PackedObjects(QPDF& pdf);

    // The object reference points to, parsed alone, when it is packed in an object stream that
    // reads cleanly; nullopt otherwise, and the caller asks qpdf, which says what is wrong.
    std::optional<QPDFObjectHandle> read(const QPDFObjectHandle& reference);

private:
    bool load(int stream);

    QPDF& m_pdf;
    std::map<QPDFObjGen, QPDFXRefEntry> m_xref;
    int m_stream = 0;               // the stream m_objects holds, 0 for none
    std::string m_objects;          // the stream's bytes from /First on
    std::map<int, size_t> m_starts; // object number to where it starts in m_objects
    std::vector<size_t> m_bounds;   // every start, sorted, and the end
};

} // namespace PDFEngine

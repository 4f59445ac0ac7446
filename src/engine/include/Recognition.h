#pragma once

#include "core/PDFSource.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

// The seam between the engine, which lays text layers into documents, and whatever renders pages
// and reads the words off them: the engine never sees a renderer or a recogniser itself.
namespace PDFEngine {

// One page to read: which page of the source, zero-based, and whether to tell how it stands.
struct RecognitionRequest {
    PDFSource source;
    QList<int> pages;
    QStringList languages; // recognition codes ("tur", "eng", "spa")
    bool detectOrientation = false;
    // A private folder for files the reading passes through, removed with the run however it
    // ends: a page's words are the document's own and never go to the shared temporary folder.
    QString scratch;
};

// What was read off one page: the clockwise quarter turns that make the page as displayed (its
// crop box, turned by its rotation) stand upright, 0 when it does or that could not be told; and a
// one-page PDF whose page is the displayed page turned by those quarter turns, holding only the
// words, in invisible text, where they stand on it.
struct RecognisedPage {
    int page = 0;
    QByteArray layer;
    int uprightTurns = 0;
};

// Renders and reads pages.
class Recogniser {
public:
    virtual ~Recogniser() = default;
    // Calls take on the calling thread once for every requested page, in any order, as each is
    // read. Throws std::runtime_error, whose what() is a message in the interface language
    // (UTF-8), for a language without its data or a source it cannot render.
    virtual void recognise(const RecognitionRequest& request,
                           const std::function<void(RecognisedPage)>& take) = 0;
};

// The recogniser text recognition uses from now on, in this process; set once at start by the
// process that runs jobs. Without one, recognition fails.
void useRecogniser(std::shared_ptr<Recogniser> recogniser);
std::shared_ptr<Recogniser> recogniser();

// What the module that carries a recogniser exports, by this name and with C linkage.
using MakeRecogniser = void (*)(std::shared_ptr<Recogniser>& made);
inline constexpr char makeRecogniserEntry[] = "leaflow_make_recogniser";

} // namespace PDFEngine

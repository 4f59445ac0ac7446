#include "runner/OnDemand.h"

#include "process/HelperPath.h"

#include <QCoreApplication>
#include <QLibrary>
#include <mutex>
#include <stdexcept>

namespace OnDemand {

namespace {

// The same words as for a helper program: the installation is at fault, not the input.
[[noreturn]] void fail(Module module, bool found)
{
    const char* text = found ? "Leaflow eksik kurulmuş: %1 başlatılamadı."
                             : "Leaflow eksik kurulmuş: %1 bulunamadı.";
    throw std::runtime_error(QCoreApplication::translate("HelperProcess", text)
                                 .arg(HelperPath::moduleName(module))
                                 .toStdString());
}

// The module is never unloaded: what it made lives until the process ends.
template <class Seam>
std::shared_ptr<Seam> load(Module module, const char* entry)
{
    const QString path = HelperPath::find(module);
    if (path.isEmpty()) {
        fail(module, false);
    }
    QLibrary library(path);
    using Make = void (*)(std::shared_ptr<Seam>&);
    std::shared_ptr<Seam> made;
    if (const auto make = reinterpret_cast<Make>(library.resolve(entry))) {
        make(made);
    }
    if (!made) {
        qWarning("%s", qPrintable(library.errorString()));
        fail(module, true);
    }
    return made;
}

// Loads on first use; a load that failed is tried again by the next call.
template <class Seam>
class Loaded {
public:
    Loaded(Module module, const char* entry) : m_module(module), m_entry(entry) {}

    Seam& get()
    {
        const std::lock_guard lock(m_mutex);
        if (!m_seam) {
            m_seam = load<Seam>(m_module, m_entry);
        }
        return *m_seam;
    }

private:
    Module m_module;
    const char* m_entry;
    std::mutex m_mutex;
    std::shared_ptr<Seam> m_seam;
};

class Recogniser : public PDFEngine::Recogniser {
public:
    void recognise(const PDFEngine::RecognitionRequest& request,
                   const std::function<void(PDFEngine::RecognisedPage)>& take) override
    {
        m_loaded.get().recognise(request, take);
    }

private:
    Loaded<PDFEngine::Recogniser> m_loaded{Module::recognition, PDFEngine::makeRecogniserEntry};
};

class PictureReader : public PDFEngine::PictureReader {
public:
    std::optional<PDFEngine::Picture> read(const QByteArray& bytes, qint64 maxPixels) override
    {
        return m_loaded.get().read(bytes, maxPixels);
    }

private:
    Loaded<PDFEngine::PictureReader> m_loaded{Module::pictures, PDFEngine::makePictureReaderEntry};
};

} // namespace

std::shared_ptr<PDFEngine::Recogniser> recogniser()
{
    return std::make_shared<Recogniser>();
}

std::shared_ptr<PDFEngine::PictureReader> pictureReader()
{
    return std::make_shared<PictureReader>();
}

} // namespace OnDemand

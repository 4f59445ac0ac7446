#include "store/Store.h"

#include "store/SignatureLibrary.h"

#include <algorithm>

QString Store::nextSignatureName() const
{
    return SignatureLibrary::defaultName(m_data.signatures.size());
}

void Store::addDrawnSignature(const QString& name, const QList<Stroke>& strokes, double lineWidth,
                              InkColor ink)
{
    const QString chosen = name.isEmpty() ? nextSignatureName() : name;
    if (std::optional<SavedSignature> signature =
            SignatureLibrary::drawn(chosen, strokes, lineWidth, ink)) {
        AppData data = m_data;
        data.signatures.append(*signature);
        setData(data);
    }
}

bool Store::addImageSignature(const QString& path, const QString& name)
{
    const QString chosen = name.isEmpty() ? nextSignatureName() : name;
    const std::optional<SavedSignature> signature = m_library.imported(path, chosen);
    if (!signature) {
        return false;
    }
    AppData data = m_data;
    data.signatures.append(*signature);
    setData(data);
    return true;
}

void Store::deleteSignature(const QUuid& id)
{
    const auto found = std::find_if(m_data.signatures.cbegin(), m_data.signatures.cend(),
                                    [&id](const SavedSignature& s) { return s.id == id; });
    if (found == m_data.signatures.cend()) {
        return;
    }
    m_library.discard(*found);
    // Before the library changes, so no placement outlives its signature on screen.
    emit signatureDeleted(id);

    AppData data = m_data;
    data.signatures.removeIf([&id](const SavedSignature& s) { return s.id == id; });
    setData(data);
}

QImage Store::signatureImage(const SavedSignature& signature)
{
    return m_library.preview(signature);
}

std::optional<SignatureArt> Store::signatureArt(const SavedSignature& signature) const
{
    return m_library.art(signature);
}

#include "runner/JobCoding.h"

#include <QIODevice>
#include <type_traits>

namespace JobCoding {

namespace {

using namespace PDFEngine;

// The records below, declared first so that the list and optional templates see them.
void put(QDataStream& out, const QSet<int>& set);
bool get(QDataStream& in, QSet<int>& set);
void put(QDataStream& out, const PDFSource& source);
bool get(QDataStream& in, PDFSource& source);
void put(QDataStream& out, const SplitRule& rule);
bool get(QDataStream& in, SplitRule& rule);
void put(QDataStream& out, const SignatureArt& art);
bool get(QDataStream& in, SignatureArt& art);
void put(QDataStream& out, const SignItem& item);
bool get(QDataStream& in, SignItem& item);
void put(QDataStream& out, const StagedFile& file);
bool get(QDataStream& in, StagedFile& file);
void put(QDataStream& out, const OrganizedPage& page);
bool get(QDataStream& in, OrganizedPage& page);
void put(QDataStream& out, const RecognitionTally& tally);
bool get(QDataStream& in, RecognitionTally& tally);

bool ok(const QDataStream& in)
{
    return in.status() == QDataStream::Ok;
}

// Scalars and Qt values QDataStream already reads within the bytes it has.
template <typename T>
void put(QDataStream& out, const T& value)
{
    if constexpr (std::is_enum_v<T>) {
        out << static_cast<quint8>(value);
    } else {
        out << value;
    }
}
template <typename T>
bool get(QDataStream& in, T& value)
{
    in >> value;
    return ok(in);
}

// An enumeration whose values run from 0 to last.
template <typename E>
bool getEnum(QDataStream& in, E& value, E last)
{
    quint8 raw = 0;
    if (!get(in, raw) || raw > static_cast<quint8>(last)) {
        return false;
    }
    value = static_cast<E>(raw);
    return true;
}

// Every element takes at least one byte, so a count above the bytes left is a lie.
bool getCount(QDataStream& in, quint32& count)
{
    return get(in, count) && count <= static_cast<quint64>(in.device()->bytesAvailable());
}

template <typename T>
void put(QDataStream& out, const std::optional<T>& value)
{
    out << value.has_value();
    if (value) {
        put(out, *value);
    }
}
template <typename T>
bool get(QDataStream& in, std::optional<T>& value)
{
    bool present = false;
    if (!get(in, present)) {
        return false;
    }
    value.reset();
    if (present) {
        T item{};
        if (!get(in, item)) {
            return false;
        }
        value = std::move(item);
    }
    return true;
}

// A value to read into; signature art has no empty state of its own.
template <typename T>
T blank()
{
    if constexpr (std::is_same_v<T, SignItem>) {
        return SignItem{0, {}, SignatureArt(SignatureArt::Strokes{})};
    } else {
        return T{};
    }
}

template <typename T>
void put(QDataStream& out, const QList<T>& list)
{
    out << static_cast<quint32>(list.size());
    for (const T& item : list) {
        put(out, item);
    }
}
template <typename T>
bool get(QDataStream& in, QList<T>& list)
{
    quint32 count = 0;
    if (!getCount(in, count)) {
        return false;
    }
    list.clear();
    for (quint32 i = 0; i < count; ++i) {
        T item = blank<T>();
        if (!get(in, item)) {
            return false;
        }
        list.append(std::move(item));
    }
    return true;
}

void put(QDataStream& out, const QSet<int>& set)
{
    put(out, QList<int>(set.begin(), set.end()));
}
bool get(QDataStream& in, QSet<int>& set)
{
    QList<int> list;
    if (!get(in, list)) {
        return false;
    }
    set = QSet<int>(list.begin(), list.end());
    return true;
}

void put(QDataStream& out, const PDFSource& source)
{
    put(out, source.path);
    put(out, source.password);
}
bool get(QDataStream& in, PDFSource& source)
{
    return get(in, source.path) && get(in, source.password);
}

void put(QDataStream& out, const SplitRule& rule)
{
    put(out, rule.mode);
    put(out, rule.every);
    put(out, rule.ranges);
}
bool get(QDataStream& in, SplitRule& rule)
{
    return getEnum(in, rule.mode, SplitMode::ranges) && get(in, rule.every) && get(in, rule.ranges);
}

// Strokes, or the bytes of an image.
void put(QDataStream& out, const SignatureArt& art)
{
    if (const SignatureArt::Strokes* strokes = art.strokes()) {
        out << quint8(0);
        put(out, strokes->strokes);
        put(out, strokes->weight);
        put(out, strokes->ink);
    } else {
        out << quint8(1);
        put(out, art.imageArt()->bytes);
    }
}
bool get(QDataStream& in, SignatureArt& art)
{
    quint8 kind = 0;
    if (!get(in, kind)) {
        return false;
    }
    if (kind == 0) {
        SignatureArt::Strokes strokes;
        if (!get(in, strokes.strokes) || !get(in, strokes.weight) ||
            !getEnum(in, strokes.ink, InkColor::blue)) {
            return false;
        }
        art = SignatureArt(std::move(strokes));
        return true;
    }
    SignatureArt::Image image;
    if (kind != 1 || !get(in, image.bytes)) {
        return false;
    }
    art = SignatureArt(std::move(image));
    return true;
}

void put(QDataStream& out, const SignItem& item)
{
    put(out, item.page);
    put(out, item.rect);
    put(out, item.art);
}
bool get(QDataStream& in, SignItem& item)
{
    return get(in, item.page) && get(in, item.rect) && get(in, item.art);
}

void put(QDataStream& out, const OrganizedPage& page)
{
    put(out, page.source);
    put(out, page.page);
    put(out, page.quarterTurns);
}
bool get(QDataStream& in, OrganizedPage& page)
{
    return get(in, page.source) && get(in, page.page) && get(in, page.quarterTurns);
}

void put(QDataStream& out, const RecognitionTally& tally)
{
    put(out, tally.recognised);
    put(out, tally.searchable);
    put(out, tally.turned);
}
bool get(QDataStream& in, RecognitionTally& tally)
{
    return get(in, tally.recognised) && get(in, tally.searchable) && get(in, tally.turned);
}

void put(QDataStream& out, const StagedFile& file)
{
    put(out, file.staged);
    put(out, file.destination);
}
bool get(QDataStream& in, StagedFile& file)
{
    return get(in, file.staged) && get(in, file.destination);
}

void put(QDataStream& out, const Staging& staging)
{
    put(out, staging.folder);
    put(out, staging.createFolder);
    put(out, staging.files);
}
bool get(QDataStream& in, Staging& staging)
{
    return get(in, staging.folder) && get(in, staging.createFolder) && get(in, staging.files);
}

// One writer and one reader per job type, field by field in declaration order.
struct Put {
    QDataStream& out;
    void operator()(const InspectJob& job) const { put(out, job.source); }
    void operator()(const MergeJob& job) const
    {
        put(out, job.sources);
        put(out, job.destination);
        put(out, job.ranges);
    }
    void operator()(const OrganizeJob& job) const
    {
        put(out, job.sources);
        put(out, job.pages);
        put(out, job.destination);
    }
    void operator()(const SplitJob& job) const
    {
        put(out, job.source);
        put(out, job.rule);
        put(out, job.folder);
        put(out, job.createFolder);
    }
    void operator()(const CompressJob& job) const
    {
        put(out, job.sources);
        put(out, job.level);
        put(out, job.destination);
        put(out, job.folder);
        put(out, job.baseNames);
        put(out, job.createFolder);
    }
    void operator()(const OcrJob& job) const
    {
        put(out, job.sources);
        put(out, job.languages);
        put(out, job.redo);
        put(out, job.turnPages);
        put(out, job.pageCounts);
        put(out, job.destination);
        put(out, job.folder);
        put(out, job.baseNames);
        put(out, job.createFolder);
    }
    void operator()(const DeletePagesJob& job) const
    {
        put(out, job.source);
        put(out, job.removing);
        put(out, job.ranges);
        put(out, job.destination);
    }
    void operator()(const SignJob& job) const
    {
        put(out, job.source);
        put(out, job.items);
        put(out, job.destination);
    }
};

bool get(QDataStream& in, MergeJob& job)
{
    return get(in, job.sources) && get(in, job.destination) && get(in, job.ranges);
}
bool get(QDataStream& in, OrganizeJob& job)
{
    return get(in, job.sources) && get(in, job.pages) && get(in, job.destination);
}
bool get(QDataStream& in, SplitJob& job)
{
    return get(in, job.source) && get(in, job.rule) && get(in, job.folder) &&
           get(in, job.createFolder);
}
bool get(QDataStream& in, CompressJob& job)
{
    return get(in, job.sources) && getEnum(in, job.level, CompressionLevel::strong) &&
           get(in, job.destination) && get(in, job.folder) && get(in, job.baseNames) &&
           get(in, job.createFolder);
}
bool get(QDataStream& in, OcrJob& job)
{
    return get(in, job.sources) && get(in, job.languages) && get(in, job.redo) &&
           get(in, job.turnPages) && get(in, job.pageCounts) && get(in, job.destination) &&
           get(in, job.folder) && get(in, job.baseNames) && get(in, job.createFolder);
}
bool get(QDataStream& in, DeletePagesJob& job)
{
    return get(in, job.source) && get(in, job.removing) && get(in, job.ranges) &&
           get(in, job.destination);
}
bool get(QDataStream& in, InspectJob& job)
{
    return get(in, job.source);
}
bool get(QDataStream& in, SignJob& job)
{
    return get(in, job.source) && get(in, job.items) && get(in, job.destination);
}

template <size_t index = 0>
bool getAlternative(QDataStream& in, quint8 kind, Job& job)
{
    if constexpr (index < std::variant_size_v<Job>) {
        if (kind == index) {
            std::variant_alternative_t<index, Job> alternative;
            if (!get(in, alternative)) {
                return false;
            }
            job = std::move(alternative);
            return true;
        }
        return getAlternative<index + 1>(in, kind, job);
    }
    return false;
}

} // namespace

void write(QDataStream& out, const Job& job)
{
    out << static_cast<quint8>(job.index());
    std::visit(Put{out}, job);
}

bool read(QDataStream& in, Job& job)
{
    quint8 kind = 0;
    return get(in, kind) && getAlternative(in, kind, job);
}

void write(QDataStream& out, const Outcome& outcome)
{
    put(out, outcome.outputs);
    put(out, outcome.staging);
    put(out, outcome.perSource);
    put(out, outcome.recognition);
    put(out, outcome.failure);
    put(out, outcome.notSmaller);
    put(out, outcome.pageCount);
    put(out, outcome.locked);
}

bool read(QDataStream& in, Outcome& outcome)
{
    return get(in, outcome.outputs) && get(in, outcome.staging) && get(in, outcome.perSource) &&
           get(in, outcome.recognition) && get(in, outcome.failure) &&
           get(in, outcome.notSmaller) && get(in, outcome.pageCount) && get(in, outcome.locked);
}

} // namespace JobCoding

#include "engine/compress/LosslessPass.h"

#include "engine/compress/StreamData.h"
#include "engine/compress/Zlib.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <deque>
#include <future>
#include <thread>

namespace LosslessPass {

namespace {

// Streams stored or decoding larger than this are left as they are; together
// with the budget of bytes in the workers it bounds the memory the pass takes.
constexpr size_t largestStream = 128u << 20;
constexpr size_t memoryBudget = 256u << 20;

struct Item {
    std::string raw;
    bool flate = false; // false: stored without a filter
};

// Small streams travel in batches, so that a document of thousands of them
// does not start a thread for each.
struct Entry {
    QPDFObjectHandle stream;
    QPDFObjectHandle parms; // the Flate parameters the new data keeps
    bool flate = false;
};
using Results = std::vector<std::optional<std::string>>;
struct Pending {
    std::vector<Entry> entries;
    std::vector<Item> items;
    size_t bytes = 0;
    std::future<Results> result;
};
constexpr size_t batchBytes = 1u << 20;
constexpr size_t batchStreams = 256;

// The stream's data at zlib's best, when that is smaller than what is stored.
std::optional<std::string> recompress(const Item& item)
{
    try {
        std::optional<std::string> plain;
        if (item.flate) {
            plain = Zlib::inflate(item.raw, largestStream);
        } else {
            plain = item.raw;
        }
        if (!plain) {
            return std::nullopt; // damaged: readers may recover more than zlib does
        }
        std::string best = Zlib::deflateBest(*plain);
        if (best.size() >= item.raw.size()) {
            return std::nullopt;
        }
        return best;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Results recompressAll(const std::vector<Item>& items)
{
    Results results;
    results.reserve(items.size());
    for (const Item& item : items) {
        results.push_back(recompress(item));
    }
    return results;
}

// The single Flate filter's parameters, or nothing when the stream is not
// stored as plain Flate or without a filter.
std::optional<QPDFObjectHandle> flateParms(QPDFObjectHandle dict, bool& flate)
{
    QPDFObjectHandle filter = dict.getKey("/Filter");
    QPDFObjectHandle parms = dict.getKey("/DecodeParms");
    if (filter.isArray() && filter.getArrayNItems() == 1) {
        filter = filter.getArrayItem(0);
        if (parms.isArray()) {
            parms = parms.getArrayNItems() == 1 ? parms.getArrayItem(0)
                                                : QPDFObjectHandle::newNull();
        }
    } else if (filter.isArray() && filter.getArrayNItems() == 0) {
        filter = QPDFObjectHandle::newNull();
    }
    flate = filter.isName() && (filter.getName() == "/FlateDecode" || filter.getName() == "/Fl");
    if (!flate && !filter.isNull()) {
        return std::nullopt;
    }
    if (flate && !parms.isNull() && !parms.isDictionary()) {
        return std::nullopt;
    }
    return parms;
}

// Adds the stream to the batch when its data may be stored smaller.
void prepare(QPDFObjectHandle stream, Pending& batch)
{
    QPDFObjectHandle dict = stream.getDict();
    if (dict.hasKey("/F")) {
        return; // the data lives in another file
    }
    Entry entry;
    const auto parms = flateParms(dict, entry.flate);
    if (dict.isDictionaryOfType("/Metadata")) {
        // The writer would otherwise store compressed metadata uncompressed.
        if (!dict.getKey("/Filter").isNull()) {
            stream.setFilterOnWrite(false);
        }
        return;
    }
    if (!parms) {
        return;
    }
    Item item{StreamData::stored(stream), entry.flate};
    if (item.raw.empty() || item.raw.size() > largestStream) {
        return;
    }
    // A Flate stream is counted at a guess of what it inflates to.
    batch.bytes += item.raw.size() * (entry.flate ? 6 : 2);
    entry.stream = stream;
    entry.parms = *parms;
    batch.entries.push_back(std::move(entry));
    batch.items.push_back(std::move(item));
}

void apply(Pending& batch)
{
    const Results results = batch.result.get();
    for (size_t i = 0; i < batch.entries.size(); ++i) {
        Entry& entry = batch.entries[i];
        // Either way the writer stores the stream as it stands now: it would
        // deflate a plain stream at its own level even where that makes it larger.
        if (results[i]) {
            entry.stream.replaceStreamData(*results[i], QPDFObjectHandle::newName("/FlateDecode"),
                                           entry.flate ? entry.parms : QPDFObjectHandle::newNull());
        }
        entry.stream.setFilterOnWrite(false);
    }
}

} // namespace

void recompressStreams(QPDF& pdf, const StepReport& done)
{
    std::vector<QPDFObjectHandle> streams;
    for (QPDFObjectHandle& object : reachable(pdf)) {
        if (object.isStream()) {
            streams.push_back(object);
        }
    }
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 2);
    const auto total = static_cast<qint64>(streams.size());
    qint64 finished = 0; // sent to the workers and put back, or left as they are
    std::deque<Pending> inFlight;
    size_t bytesInFlight = 0;
    const auto finishOldest = [&] {
        Pending& oldest = inFlight.front();
        apply(oldest);
        bytesInFlight -= oldest.bytes;
        finished += static_cast<qint64>(oldest.entries.size());
        inFlight.pop_front();
        if (done) {
            done(finished, total);
        }
    };
    Pending batch;
    const auto send = [&] {
        while (!inFlight.empty() &&
               (inFlight.size() >= workers || bytesInFlight + batch.bytes > memoryBudget)) {
            finishOldest();
        }
        batch.result = std::async(std::launch::async, recompressAll, std::move(batch.items));
        bytesInFlight += batch.bytes;
        inFlight.push_back(std::move(batch));
        batch = Pending();
    };
    for (QPDFObjectHandle& stream : streams) {
        const size_t before = batch.entries.size();
        try {
            prepare(stream, batch);
        } catch (const std::exception&) {
            // unreadable data: the writer copies what it can
        }
        finished += batch.entries.size() == before ? 1 : 0;
        if (batch.bytes >= batchBytes || batch.entries.size() >= batchStreams) {
            send();
        }
    }
    if (!batch.entries.empty()) {
        send();
    }
    while (!inFlight.empty()) {
        finishOldest();
    }
    if (done) {
        done(total, total);
    }
}

} // namespace LosslessPass

#include "engine/compress/LosslessPass.h"

#include "engine/compress/StreamData.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

namespace LosslessPass {

namespace {

// Enough rounds for a font (its program, then descriptor, then font) and for
// forms a few levels deep; each round folds what the last one made equal.
constexpr int maxRounds = 8;

const std::set<std::string> sharedTypes = {"/Font", "/FontDescriptor", "/ExtGState", "/Encoding"};
const std::set<std::string> resourceKeys = {"/Font",    "/XObject", "/ExtGState", "/ColorSpace",
                                            "/Pattern", "/Shading", "/ProcSet"};
const std::set<std::string> colourFamilies = {"/ICCBased", "/Indexed", "/Separation", "/DeviceN",
                                              "/CalRGB",   "/CalGray", "/Lab",        "/Pattern"};

bool keysWithin(QPDFObjectHandle dict, const std::set<std::string>& allowed)
{
    const std::set<std::string> keys = dict.getKeys();
    return !keys.empty() && std::all_of(keys.begin(), keys.end(), [&](const std::string& key) {
        return allowed.count(key) != 0;
    });
}

// Objects that only say how something is drawn, so two equal ones can be one.
// /Properties is left out of resources: optional content groups are compared by
// identity.
bool sharable(QPDFObjectHandle object)
{
    if (object.isStream()) {
        return !object.getDict().hasKey("/F");
    }
    if (object.isDictionary()) {
        QPDFObjectHandle type = object.getKey("/Type");
        return (type.isName() && sharedTypes.count(type.getName()) != 0) ||
               object.hasKey("/ShadingType") || object.hasKey("/FunctionType") ||
               keysWithin(object, resourceKeys) ||
               keysWithin(object, {"/Registry", "/Ordering", "/Supplement"});
    }
    if (object.isArray()) {
        std::vector<QPDFObjectHandle> items = object.getArrayAsVector();
        if (!items.empty() && items.front().isName()) {
            return colourFamilies.count(items.front().getName()) != 0;
        }
        return !items.empty() && std::all_of(items.begin(), items.end(), [](auto& item) {
            return item.isNumber() && !item.isIndirect();
        });
    }
    return false;
}

class Folder {
public:
    explicit Folder(std::vector<QPDFObjectHandle> candidates) : m_candidates(std::move(candidates))
    {
    }

    // One round: every candidate whose key equals an earlier one's joins it.
    bool round(const StepReport& done, qint64& steps, qint64 total)
    {
        std::unordered_map<std::string, QPDFObjectHandle> byShape;
        std::unordered_map<std::string, QPDFObjectHandle> byData;
        bool folded = false;
        for (QPDFObjectHandle& object : m_candidates) {
            if (done) {
                done(++steps, total);
            }
            if (m_into.count(object.getObjGen()) != 0) {
                continue;
            }
            const std::string shape = describe(object);
            auto [first, inserted] = byShape.emplace(shape, object);
            if (inserted) {
                continue;
            }
            // Streams of one shape may still hold different data, which is read
            // only now: most streams, and every large image, have a shape of their own.
            auto at = first;
            if (object.isStream()) {
                byData.emplace(withData(shape, first->second), first->second);
                bool fresh = false;
                std::tie(at, fresh) = byData.emplace(withData(shape, object), object);
                if (fresh || !sameData(at->second, object)) {
                    continue;
                }
            }
            m_into[object.getObjGen()] = at->second;
            folded = true;
        }
        return folded;
    }

    const std::map<QPDFObjGen, QPDFObjectHandle>& folds() const { return m_into; }

    // The object a reference now leads to, through folds of folds.
    std::optional<QPDFObjectHandle> target(QPDFObjGen og) const
    {
        std::optional<QPDFObjectHandle> result;
        for (auto at = m_into.find(og); at != m_into.end(); at = m_into.find(og)) {
            result = at->second;
            og = at->second.getObjGen();
        }
        return result;
    }

private:
    // The object's own structure with references spelled as the object they now
    // lead to; a stream adds the length its dictionary declares.
    std::string describe(QPDFObjectHandle object)
    {
        std::string out = object.isStream() ? "S" : "O";
        write(object.isStream() ? object.getDict() : object, out, true);
        if (object.isStream()) {
            QPDFObjectHandle length = object.getDict().getKey("/Length");
            out += '#' + (length.isInteger() ? std::to_string(length.getIntValue()) : "?");
        }
        return out;
    }

    std::string withData(const std::string& shape, const QPDFObjectHandle& stream)
    {
        const auto [hash, size] = dataHash(stream);
        return shape + '#' + std::to_string(hash) + ':' + std::to_string(size);
    }

    void write(QPDFObjectHandle value, std::string& out, bool top)
    {
        if (!top && value.isIndirect()) {
            const QPDFObjGen og = target(value.getObjGen()).value_or(value).getObjGen();
            out += 'R' + std::to_string(og.getObj()) + ',' + std::to_string(og.getGen()) + ' ';
        } else if (value.isDictionary()) {
            out += "<<";
            for (const std::string& key : value.getKeys()) {
                if (key != "/Length") {
                    out += key + ' ';
                    write(value.getKey(key), out, false);
                }
            }
            out += ">>";
        } else if (value.isArray()) {
            out += '[';
            for (QPDFObjectHandle& item : value.aitems()) {
                write(item, out, false);
            }
            out += ']';
        } else {
            out += value.unparse() + ' ';
        }
    }

    std::pair<size_t, size_t> dataHash(const QPDFObjectHandle& stream)
    {
        auto& cached = m_hashes[stream.getObjGen()];
        if (!cached) {
            const std::string bytes = StreamData::stored(stream);
            cached = {std::hash<std::string>{}(bytes), bytes.size()};
        }
        return *cached;
    }

    // A hash says nothing for certain: the stored bytes are compared before folding.
    static bool sameData(const QPDFObjectHandle& a, const QPDFObjectHandle& b)
    {
        return StreamData::stored(a) == StreamData::stored(b);
    }

    std::vector<QPDFObjectHandle> m_candidates;
    std::map<QPDFObjGen, QPDFObjectHandle> m_into;
    std::map<QPDFObjGen, std::optional<std::pair<size_t, size_t>>> m_hashes;
};

// Points references inside one object's own structure at their targets.
void redirect(QPDFObjectHandle value, const Folder& folder)
{
    const auto replaced = [&](const QPDFObjectHandle& item) -> std::optional<QPDFObjectHandle> {
        return item.isIndirect() ? folder.target(item.getObjGen()) : std::nullopt;
    };
    if (value.isStream()) {
        redirect(value.getDict(), folder);
    } else if (value.isDictionary()) {
        for (auto& [key, item] : value.ditems()) {
            if (auto to = replaced(item)) {
                value.replaceKey(key, *to);
            } else if (!item.isIndirect()) {
                redirect(item, folder);
            }
        }
    } else if (value.isArray()) {
        for (int i = 0; i < value.getArrayNItems(); ++i) {
            QPDFObjectHandle item = value.getArrayItem(i);
            if (auto to = replaced(item)) {
                value.setArrayItem(i, *to);
            } else if (!item.isIndirect()) {
                redirect(item, folder);
            }
        }
    }
}

} // namespace

int mergeDuplicates(QPDF& pdf, const StepReport& done)
{
    const std::vector<QPDFObjectHandle> all = reachable(pdf);
    std::vector<QPDFObjectHandle> candidates;
    std::copy_if(all.begin(), all.end(), std::back_inserter(candidates), sharable);
    Folder folder(candidates);
    // Rounds after the first are rare and quick; they are not counted as steps.
    const auto total = static_cast<qint64>(candidates.size());
    qint64 steps = 0;
    bool folded = folder.round(done, steps, total);
    for (int round = 1; folded && round < maxRounds; ++round) {
        qint64 ignored = 0;
        folded = folder.round({}, ignored, 0);
    }
    if (folder.folds().empty()) {
        return 0;
    }
    redirect(pdf.getTrailer(), folder);
    for (const QPDFObjectHandle& object : all) {
        redirect(object, folder);
    }
    return static_cast<int>(folder.folds().size());
}

} // namespace LosslessPass

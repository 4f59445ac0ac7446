#include "engine/compress/Zlib.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace Zlib {

namespace {

constexpr size_t chunk = 1 << 16;

Bytef* input(const std::string& data)
{
    return reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
}

} // namespace

std::optional<std::string> inflate(const std::string& data, size_t limit)
{
    if (data.size() > UINT_MAX) {
        return std::nullopt;
    }
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        return std::nullopt;
    }
    z.next_in = input(data);
    z.avail_in = static_cast<uInt>(data.size());
    std::string out;
    int status = Z_OK;
    while (status == Z_OK) {
        const size_t used = out.size();
        if (used > limit) {
            break;
        }
        out.resize(used + chunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + used);
        z.avail_out = static_cast<uInt>(chunk);
        status = ::inflate(&z, Z_NO_FLUSH);
        out.resize(used + chunk - z.avail_out);
        if (status == Z_BUF_ERROR && z.avail_in == 0) {
            break; // the data ended before the stream did
        }
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END || out.size() > limit) {
        return std::nullopt;
    }
    return out;
}

std::string deflateBest(const std::string& data)
{
    if (data.size() > UINT_MAX) {
        throw std::length_error("stream too long to deflate at once");
    }
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS, MAX_MEM_LEVEL,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("zlib could not start");
    }
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = input(data);
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = ::deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    if (status != Z_STREAM_END) {
        throw std::runtime_error("zlib could not finish");
    }
    return out;
}

} // namespace Zlib

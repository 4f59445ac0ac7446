#include "AreaScaler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace AreaScaler {

namespace {

// The source cells one target cell covers along one axis, with the fraction
// of each cell that falls inside it; the weights of one target cell sum to 1.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> spans(int sourceLength, int targetLength)
{
    const double step = static_cast<double>(sourceLength) / targetLength;
    std::vector<Span> result(static_cast<size_t>(targetLength));
    for (int t = 0; t < targetLength; ++t) {
        const double from = t * step;
        const double to = std::min<double>(sourceLength, (t + 1) * step);
        Span& span = result[static_cast<size_t>(t)];
        span.first = static_cast<int>(std::floor(from));
        const int last = std::min(sourceLength, static_cast<int>(std::ceil(to)));
        for (int s = span.first; s < last; ++s) {
            const double covered = std::min<double>(s + 1, to) - std::max<double>(s, from);
            span.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return result;
}

void shrinkRow(const unsigned char* row, int components, const std::vector<Span>& columns,
               float weight, std::vector<float>& accumulated)
{
    const size_t c = static_cast<size_t>(components);
    for (size_t x = 0; x < columns.size(); ++x) {
        const Span& span = columns[x];
        float* out = accumulated.data() + x * c;
        const unsigned char* in = row + static_cast<size_t>(span.first) * c;
        for (float w : span.weights) {
            const float scaled = w * weight;
            for (size_t k = 0; k < c; ++k) {
                out[k] += scaled * in[k];
            }
            in += c;
        }
    }
}

} // namespace

Pixels shrink(const Pixels& source, int targetWidth, int targetHeight)
{
    Pixels target;
    target.width = targetWidth;
    target.height = targetHeight;
    target.components = source.components;
    target.samples.resize(target.byteCount());

    const std::vector<Span> columns = spans(source.width, targetWidth);
    const std::vector<Span> rows = spans(source.height, targetHeight);
    std::vector<float> accumulated(target.rowBytes());
    for (int y = 0; y < targetHeight; ++y) {
        std::fill(accumulated.begin(), accumulated.end(), 0.0F);
        const Span& span = rows[static_cast<size_t>(y)];
        for (size_t i = 0; i < span.weights.size(); ++i) {
            const size_t sourceRow = static_cast<size_t>(span.first) + i;
            shrinkRow(source.bytes() + sourceRow * source.rowBytes(), source.components,
                      columns, span.weights[i], accumulated);
        }
        unsigned char* out = target.bytes() + static_cast<size_t>(y) * target.rowBytes();
        for (size_t k = 0; k < accumulated.size(); ++k) {
            out[k] = static_cast<unsigned char>(std::clamp(accumulated[k] + 0.5F, 0.0F, 255.0F));
        }
    }
    return target;
}

} // namespace AreaScaler

#include "engine/compress/AreaScaler.h"

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

// Adds weight x row to a running sum of whole source rows: a plain loop
// over contiguous samples that the compiler vectorises.
void addRow(const unsigned char* row, size_t length, float weight, float* sum)
{
    for (size_t i = 0; i < length; ++i) {
        sum[i] += weight * static_cast<float>(row[i]);
    }
}

template <int C>
void shrinkColumns(const float* sum, const std::vector<Span>& columns, unsigned char* out)
{
    for (const Span& span : columns) {
        float value[C] = {};
        const float* in = sum + static_cast<size_t>(span.first) * C;
        for (float w : span.weights) {
            for (int k = 0; k < C; ++k) {
                value[k] += w * in[k];
            }
            in += C;
        }
        for (int k = 0; k < C; ++k) {
            *out++ = static_cast<unsigned char>(std::clamp(value[k] + 0.5F, 0.0F, 255.0F));
        }
    }
}

void shrinkColumns(int components, const float* sum, const std::vector<Span>& columns,
                   unsigned char* out)
{
    switch (components) {
    case 1: shrinkColumns<1>(sum, columns, out); break;
    case 3: shrinkColumns<3>(sum, columns, out); break;
    case 4: shrinkColumns<4>(sum, columns, out); break;
    default:
        // Any other depth: the same sums, one component at a time.
        for (const Span& span : columns) {
            for (int k = 0; k < components; ++k) {
                float value = 0;
                for (size_t i = 0; i < span.weights.size(); ++i) {
                    value += span.weights[i] * sum[(static_cast<size_t>(span.first) + i) *
                                                       static_cast<size_t>(components) +
                                                   static_cast<size_t>(k)];
                }
                *out++ = static_cast<unsigned char>(std::clamp(value + 0.5F, 0.0F, 255.0F));
            }
        }
        break;
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

    // Rows first, over whole source rows, then columns once per target row.
    const std::vector<Span> columns = spans(source.width, targetWidth);
    const std::vector<Span> rows = spans(source.height, targetHeight);
    std::vector<float> sum(source.rowBytes());
    for (int y = 0; y < targetHeight; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0F);
        const Span& span = rows[static_cast<size_t>(y)];
        for (size_t i = 0; i < span.weights.size(); ++i) {
            const size_t sourceRow = static_cast<size_t>(span.first) + i;
            addRow(source.bytes() + sourceRow * source.rowBytes(), source.rowBytes(),
                   span.weights[i], sum.data());
        }
        shrinkColumns(source.components, sum.data(), columns,
                      target.bytes() + static_cast<size_t>(y) * target.rowBytes());
    }
    return target;
}

} // namespace AreaScaler

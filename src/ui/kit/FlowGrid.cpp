#include "ui/kit/FlowGrid.h"

#include <algorithm>
#include <cmath>

namespace FlowGrid {

Columns columns(qreal width, int items, qreal minimum, qreal spacing)
{
    const int fitting = static_cast<int>(std::floor((width + spacing) / (minimum + spacing)));
    const int count = std::max(1, std::min(fitting, items));
    return {count, (width - spacing * (count - 1)) / count};
}

} // namespace FlowGrid

#pragma once

#include <QtGlobal>

// Equal columns: as many as fit at a minimum width, stretched to fill the width.
namespace FlowGrid {

struct Columns {
    int count = 1;
    qreal cellWidth = 0;
};

// The columns for `width` and `items` cells at least `minimum` wide, `spacing` apart.
Columns columns(qreal width, int items, qreal minimum, qreal spacing);

} // namespace FlowGrid

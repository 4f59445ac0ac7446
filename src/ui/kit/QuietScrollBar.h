#pragma once

class QAbstractScrollArea;

// Gives a scroll area's vertical bar the thin, trackless look of the platform's
// overlay scroll bars, in the colours of the current palette.
void quietScrollBar(QAbstractScrollArea* area);

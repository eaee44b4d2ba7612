#pragma once
// The two cursors of the embroidery picture: an open hand while hovering, a closed one while
// dragging.
#include <QCursor>

const QCursor& hoverCursor();
const QCursor& grabCursor();

#pragma once
// Keeps chosen controls at fixed distances from chosen edges of their parent
// when the parent is resized: a control keeps its left or top position,
// follows the right or bottom edge, or stretches between two edges. Every
// resize starts again from the geometry registered while the window had its
// designed size, so nothing drifts however often the window is resized.
#include <QWidget>

namespace platform {

// Modes: 1 stretch both ways; 2 keep left, follow bottom; 3 follow right and
// bottom; 4 keep left, stretch in height; 5 stretch in width, follow bottom;
// 6 follow right, stretch in height; 7 follow right, keep top. Any other
// mode does nothing.
void AnchorControl(QWidget* control, int mode);

// Registers a control with its edge flags (1 anchored, 0 not). Registering a
// control again replaces its entry.
void RegisterAnchor(QWidget* control, int left, int top, int right, int bottom);

// Number of controls registered under `parent` (for tests and diagnostics).
int AnchoredControlCount(const QWidget* parent);

}  // namespace platform

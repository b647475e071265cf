#pragma once
// The smallest screen of the window: the 3D pane showing the demo mesh, laid
// out as the model tab places it.

namespace ovek {

// Builds the screen on MYPLAT's root; a demo mesh that cannot be read is
// reported on standard error and leaves the pane empty.
void initDemoScreen();

}  // namespace ovek

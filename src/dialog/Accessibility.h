#pragma once

namespace dazu::dialog {

// Tells assistive technology (screen readers) what Qt cannot tell by itself: that the
// settings window is a dialog, and that the up-down spinner holds a number in a range that
// can be read and set. Installs once; later calls do nothing.
void InstallAccessibleInterfaces();

} // namespace dazu::dialog

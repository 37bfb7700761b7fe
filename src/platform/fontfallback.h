#pragma once
#include <QFont>

namespace verno {

// The fixed-pitch face the project installs (fonts-liberation).
inline constexpr char kFixedFallbackFace[] = "Liberation Mono";

// The font with the installed fixed-pitch face behind its own family, so a
// face that is not installed still shows fixed pitch, whatever other fonts
// the machine has.
QFont withFixedFallback(QFont font);

} // namespace verno

#pragma once
#include "app/commandstate.h"

class QMenu;

namespace verno {

// The edit window's context menu as the menu pass sets it.
void applyPopupState(QMenu *popup, const CommandState &state);
// Search Again (F3) in the context menu, kept current by the status pass.
void applySearchAgainState(QMenu *popup, const CommandState &state);

} // namespace verno

#pragma once
// Dialogs ask for a help topic by number; the program's help viewer answers
// (platform/help.h). Tests may take the requests instead.
#include <functional>

namespace verno {

using HelpTopicHandler = std::function<void(int topic)>;

// An empty handler gives the requests back to the viewer.
void setHelpTopicHandler(HelpTopicHandler handler);
void showHelpTopic(int topic);

} // namespace verno

#pragma once
// Dialogs ask for a help topic by number; the help viewer answers. Until a
// viewer is installed a request does nothing.
#include <functional>

namespace verno {

using HelpTopicHandler = std::function<void(int topic)>;

void setHelpTopicHandler(HelpTopicHandler handler);
void showHelpTopic(int topic);

} // namespace verno

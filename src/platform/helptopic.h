#pragma once
// Dialogs ask for a help topic by number; the program's help viewer answers
// (platform/help.h). Tests may take the requests instead.
#include <QString>
#include <functional>

namespace verno {

using HelpTopicHandler = std::function<void(int topic)>;

// An empty handler gives the requests back to the viewer. A handler hears
// the topic only, not the section.
void setHelpTopicHandler(HelpTopicHandler handler);
// section: the anchor of the part of the topic's page to open at; empty: its top.
void showHelpTopic(int topic, const QString &section = {});

} // namespace verno

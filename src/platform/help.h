#pragma once
// The program's help: pages compiled into the program and shown in its own
// viewer window. Topics are named by context number; a number the help does
// not know shows the table of contents.
#include "platform/helptopic.h"

#include <QString>
#include <span>

namespace verno {

// Help contexts of the program's menus and dialogs.
enum HelpContext : int {
    HelpGeneral = 10,
    HelpPreferences = 13,
    HelpUsage = 20,
    HelpOpen = 22,
    HelpSearching = 30,
    HelpFind = 31,
    HelpReplace = 32,
    HelpGotoLine = 34,
    HelpPrinting = 40,
    HelpFont = 93,
};

// Sections of the General Information page, for the dialogs it describes.
inline constexpr char HelpSectionCommands[] = "commands";
inline constexpr char HelpSectionInsChar[] = "inschar";
// The part of Program Usage about saving and the other file commands.
inline constexpr char HelpSectionSaving[] = "saving";

struct HelpTopic {
    int context;
    const char *page;  // resource path of the page
    const char *title;
};

// Every topic, in the order of the table of contents.
std::span<const HelpTopic> helpTopics();
// The page of a context number, or of the contents when the number is unknown.
QString helpPage(int context);
QString helpContentsPage();

// Opens the viewer at the table of contents, raising it. showHelpTopic
// (platform/helptopic.h) opens it at a topic.
void showHelpContents();
// The viewer at a topic (at one section of its page, when given), whoever
// takes the requests.
void openHelpViewer(int context, const QString &section = {});
// Closes the viewer, if open (when the main window goes away).
void quitHelp();

class THelpViewer;
// The viewer window while it exists; nullptr otherwise.
THelpViewer *helpViewer();

} // namespace verno

#pragma once
// What launching the user's commands needs of the frame: the active window's
// file, saving before a launch, and the lists the Execute dialog edits.
#include <QString>
#include <QStringList>

namespace verno {

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Directory and name of the active window's file; "" with no window or an untitled one.
    virtual QString activeFilePath() const = 0;
    // Saves the modified windows first when the SaveExec option is on.
    virtual void saveBeforeLaunch() = 0;
    // The command and shell lists and choices, kept by the frame.
    virtual QStringList &commandList() = 0;
    virtual QStringList &shellList() = 0;
    virtual int &shellIndex() = 0;
    virtual bool &stayInDos() = 0;
    // Expands a template for the active window and launches it; true when started.
    virtual bool RunCommand(const QString &tmpl, bool stay) = 0;
};

} // namespace verno

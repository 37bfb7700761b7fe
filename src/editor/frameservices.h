#pragma once
// What an edit window and its commands need of the frame: the program-wide
// options they read, the message panel and the file history. Edit windows
// never push state otherwise; the frame polls them at idle time.
#include <QColor>
#include <QFont>
#include <QString>

namespace verno {

class T_SearchOptions;

class FrameServices {
public:
    virtual ~FrameServices() = default;

    // Options.
    virtual bool backupOn() const = 0;
    virtual bool pathInCaption() const = 0;
    virtual bool grayReadOnly() const = 0;
    virtual bool roIfModified() const = 0;
    virtual bool confirmSave() const = 0;
    virtual bool indentAll() const = 0;
    virtual bool wordWrapAll() const = 0;
    virtual bool insertMode() const = 0;
    virtual QFont defaultFont() const = 0;
    virtual QColor defaultTextColor() const { return Qt::black; }
    virtual QString fileFilter() const = 0;
    virtual int filterIndex() const = 0;
    virtual void setFilterIndex(int index) = 0;
    // The hint of a main menu item by its name, for the message panel.
    virtual QString menuHint(const QString &itemName) const = 0;
    // The one search state all edit windows share.
    virtual T_SearchOptions &searchOptions() = 0;
    virtual bool findWord() const = 0;
    // Whether a new window, or one whose file is only ASCII, reads its text as UTF-8.
    virtual bool newWindowsUtf8() const { return false; }
    virtual int shiftCount() const = 0;
    // Files are written with the line breaks they were read with (else CR LF).
    virtual bool keepLineBreaks() const { return false; }
    // New edit windows show line numbers.
    virtual bool initialLineNumbers() const { return false; }

    // Notifications.
    virtual void setStatusMessage(const QString &text) = 0;
    // Shows the message panel at once, before a long operation blocks.
    virtual void paintStatusNow() {}
    virtual void addFileHistory(const QString &fullName) = 0;
    virtual void removeFileHistory(const QString &fullName) = 0;
};

} // namespace verno

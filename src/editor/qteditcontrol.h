#pragma once
// The edit control as a widget: the contract plus what a window needs to show
// it. Implementations own their Qt widget; nothing else touches it.
#include "editor/editcontrol.h"
#include "util/byteblock.h"
#include "util/textstore.h"

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QList>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QMenu;
class QWidget;

namespace verno {

class QtEditControl : public EditControl {
public:
    virtual QWidget *widget() const = 0;
    // The control's own font; the screen shows it zoomed.
    virtual QFont font() const = 0;
    virtual void setFont(const QFont &font) = 0;
    // Zoom steps over the font, 0 for none (see fontzoom.h); Ctrl with the
    // mouse wheel changes it too.
    virtual int zoom() const { return 0; }
    virtual void setZoom(int) {}
    // The line numbers along the left edge, with their own context menu.
    virtual bool lineNumbers() const { return false; }
    virtual void setLineNumbers(bool) {}
    virtual void setLineNumberMenu(QMenu *) {}
    virtual QColor textColor() const = 0;
    virtual void setTextColor(const QColor &color) = 0;
    // Background: the button-face colour when grayed, the window colour otherwise.
    virtual void setGrayed(bool grayed) = 0;
    virtual bool grayed() const = 0;
    // Shown on right click; aboutToShow is the caller's business.
    virtual void setContextMenu(QMenu *menu) = 0;
    virtual void setFocus() = 0;
    // Whether typing overwrites, for the caret's shape; asked when it is drawn.
    virtual void setOverwriteQuery(std::function<bool()>) {}

    // A file's bytes, taken over without a copy where the control can.
    virtual bool LoadBytes(ByteBlock &&bytes)
    {
        return SetWholeText(std::string(bytes.data(), bytes.size()));
    }
    // A text read and made ready ahead (see startPreload).
    virtual bool LoadPrepared(PreparedText &&text) { return LoadBytes(std::move(text.bytes)); }
    // The whole text as pieces in order, lent from the control's own storage
    // where it can; otherwise a copy is made in keep.
    virtual std::vector<std::string_view> TextPieces(std::string &keep) const
    {
        keep = WholeText();
        return {keep};
    }

    // Grows with every change of the text: an equal count means the same text.
    virtual unsigned long long ChangeCount() const = 0;
    // Runs after every change of the text, so it must cost next to nothing.
    virtual void SetOnTextChanged(std::function<void()> handler) = 0;
    // The text becomes a file's bytes read again (breaks made CR LF), as one
    // undo step over only the part that differs where the control can; the
    // caret keeps its place in the text around that part.
    virtual void ReloadText(std::string_view bytes) = 0;
};

// Keys the frame's menus claim: an edit control never takes them for itself,
// so a disabled menu item's key does nothing rather than the control's default.
void setFrameKeys(const QList<QKeySequence> &keys);

// The control the program uses: its own buffer, layout and painting.
std::unique_ptr<QtEditControl> makeBufferEditControl(QWidget *parent = nullptr);
// The first implementation, over QPlainTextEdit; kept as a reference for tests.
std::unique_ptr<QtEditControl> makePlainTextEditControl(QWidget *parent = nullptr);

} // namespace verno

#pragma once
#include <QPalette>
#include <QTabBar>

namespace verno {

class TFileWindow;

// The strip of tabs along the bottom of the frame, one per edit window. Each
// tab carries its text and the window it stands for. The selected index may
// be -1 even while tabs exist. Changing it, by a left click, the keyboard or
// setSelectedIndex, raises clicked(); inserting and removing tabs never does.
class TTabSet : public QTabBar {
    Q_OBJECT
public:
    explicit TTabSet(QWidget *parent = nullptr);

    TFileWindow *windowAt(int index) const;
    void setWindowAt(int index, TFileWindow *window);
    int indexOfWindow(const TFileWindow *window) const;
    void insertTabFor(int index, const QString &text, TFileWindow *window);
    void removeTabAt(int index);

    int selectedIndex() const { return none_ ? -1 : currentIndex(); }
    // Out of -1 .. count-1 is refused and changes nothing.
    void setSelectedIndex(int index);

    // The tabs the strip shows at least in part, scrolled as it is.
    int firstInView() const;
    int countInView() const;

    void setSelectedColour(QPalette::ColorRole role);
    QPalette::ColorRole selectedColour() const { return selectedRole_; }

signals:
    void clicked();

private:
    template <typename F> void quietly(F &&f)
    {
        const bool was = quiet_;
        quiet_ = true;
        f();
        quiet_ = was;
    }

    bool quiet_ = false;
    bool none_ = true;
    QPalette::ColorRole selectedRole_ = QPalette::NoRole;
};

} // namespace verno

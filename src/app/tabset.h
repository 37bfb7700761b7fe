#pragma once
#include <QPalette>
#include <QTabBar>

namespace verno {

class TFileWindow;

// The strip of tabs along the bottom of the frame, one per edit window. Each
// tab carries its text and the window it stands for. The selected index may
// be -1 even while tabs exist. Changing it, by a left click or
// setSelectedIndex, raises clicked(); inserting and removing tabs never does.
// The strip scrolls with its arrows and the mouse wheel, which select nothing;
// it moves to the selected tab only when a tab is selected, never because a
// text changed or the strip was laid out anew.
class TTabSet : public QTabBar {
    Q_OBJECT
public:
    explicit TTabSet(QWidget *parent = nullptr);

    TFileWindow *windowAt(int index) const;
    void setWindowAt(int index, TFileWindow *window);
    int indexOfWindow(const TFileWindow *window) const;
    void insertTabFor(int index, const QString &text, TFileWindow *window);
    void removeTabAt(int index);

    int selectedIndex() const { return selected_; }
    // Out of -1 .. count-1 is refused and changes nothing. Brings the tab into view.
    void setSelectedIndex(int index);

    // The tabs the strip shows at least in part, scrolled as it is.
    int firstInView() const;
    int countInView() const;

    void setSelectedColour(QPalette::ColorRole role);
    QPalette::ColorRole selectedColour() const { return selectedRole_; }

signals:
    void clicked();

protected:
    void initStyleOption(QStyleOptionTab *option, int tabIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    template <typename F> void quietly(F &&f)
    {
        const bool was = quiet_;
        quiet_ = true;
        f();
        quiet_ = was;
    }
    // The bar scrolls to its current tab whenever it lays the tabs out; that
    // tab is kept on one in full view, apart from the selected one.
    void keepCurrentInView();
    QRect tabArea() const;

    bool quiet_ = false;
    int selected_ = -1;
    int wheelAngle_ = 0;
    QPalette::ColorRole selectedRole_ = QPalette::NoRole;
};

} // namespace verno

#pragma once
// The frame's edit windows in stacking order, the active one first, as a
// desktop's multiple-document frame keeps them: activating a window brings it
// to the front, Next sends the front window to the back.
#include <QList>

namespace verno {

class TFileWindow;

class ChildOrder {
public:
    const QList<TFileWindow *> &list() const { return order_; }
    TFileWindow *front() const { return order_.isEmpty() ? nullptr : order_.first(); }
    TFileWindow *back() const { return order_.isEmpty() ? nullptr : order_.last(); }
    void activated(TFileWindow *w)
    {
        order_.removeOne(w);
        order_.prepend(w);
    }
    void sendToBack(TFileWindow *w)
    {
        if (order_.removeOne(w))
            order_.append(w);
    }
    void remove(TFileWindow *w) { order_.removeOne(w); }

private:
    QList<TFileWindow *> order_;
};

} // namespace verno

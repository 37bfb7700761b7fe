#pragma once
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace verno {

// The Filters page: the file filters as "description|wildcards" entries, the
// selected one edited in two fields. An edit goes into the entry that was
// selected while it was typed, when the focus leaves the field or a button
// or OK is pressed.
class TFilterPage : public QWidget {
    Q_OBJECT
public:
    explicit TFilterPage(QWidget *parent = nullptr);

    // Entries from a filter text; the first one selected.
    void setFilter(const QString &filter);
    // The entries joined again, a pending edit included.
    QString filter();
    QStringList entries() const { return entries_; }
    void Commit();

    void BtnUpClick() { move(-1); }
    void BtnDownClick() { move(+1); }
    void BtnNewClick();
    void BtnDeleteClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void select(int row);
    void showSelected();
    void move(int step);
    int selected() const;

    QListWidget *txtFilters_;
    QLineEdit *txtDescription_;
    QLineEdit *txtWildcards_;
    QStringList entries_;
    bool descriptionEdited_ = false;
    bool wildcardsEdited_ = false;
};

} // namespace verno

#pragma once
#include <QDialog>

class QButtonGroup;
class QTableWidget;

namespace verno {

class EditControl;

// A 16 x 16 table of the 256 character codes; OK puts the chosen one at the
// caret. Column c, row r holds code 16c + r. The chosen cell and the label
// base stay from one opening to the next.
class TInsCharDialog : public QDialog {
    Q_OBJECT
public:
    // base: 0 decimal, 1 hexadecimal, 2 octal; read at each opening, written back.
    TInsCharDialog(QWidget *parent, int &base);

    // Does nothing on a read-only text. The cells take the family of font.
    void Execute(EditControl &memo, const QFont &font);

    // The cells take the family of font, in the dialog's own size.
    void SetCellFont(const QFont &font);
    void SetBase(int base);
    int Base() const;
    void SelectCell(int column, int row);
    int SelectedCode() const; // -1 when no cell is chosen
    QString ColumnLabel(int column) const;
    QString RowLabel(int row) const;
    QString CellText(int code) const;

private:
    void FillLabels();

    int &base_;
    QTableWidget *grid_;
    QButtonGroup *baseGroup_;
};

// How a code shows in the table: codes that would show nothing by their names.
QString insCharCellText(int code);

} // namespace verno

#pragma once
#include "search/searchdialog.h"

class QLabel;

namespace verno {

// "Find": the text to look for, the options and the origin.
class TFindDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *parent = nullptr);

    QLabel *LblFind;
};

} // namespace verno

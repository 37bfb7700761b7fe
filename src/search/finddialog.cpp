#include "search/finddialog.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace verno {

TFindDialog::TFindDialog(QWidget *parent)
    : TSearchDialog(parent, QStringLiteral("FindDialog"), QStringLiteral("Find"), 31,
                    QStringLiteral("Search &backward"))
{
    LblFind = makeLabel(this, "LblFind", QStringLiteral("&Search for:"), TxtFind);
    auto *rows = new QVBoxLayout;
    rows->addWidget(LblFind);
    rows->addWidget(TxtFind);
    arrange(rows, QSize(440, 128));
}

} // namespace verno

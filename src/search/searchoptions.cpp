#include "search/searchoptions.h"
#include "editor/textconvert.h"
#include "util/textutil.h"

namespace verno {

void T_SearchOptions::SetFindText(const std::string &text)
{
    FindText = ShortHead(text, kShortMax);
    findTyped_.clear();
}

void T_SearchOptions::SetTypedFindText(const QString &typed)
{
    int unheld = -1;
    SetFindText(displayToBytes(typed.constData(), typed.size(), &unheld));
    if (unheld >= 0 && unheld < int(FindText.size()))
        findTyped_ = typed;
}

QString T_SearchOptions::FindTextShown() const
{
    return findTyped_.isEmpty() ? bytesToDisplay(FindText) : findTyped_;
}

void T_SearchOptions::SetReplaceText(const std::string &text)
{
    ReplaceText = ShortHead(text, kShortMax);
}

bool T_SearchOptions::CanSearchAgain() const
{
    return LastAction != SearchAction::None && !FindText.empty();
}

} // namespace verno

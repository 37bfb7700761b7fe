#include "search/searchoptions.h"

#include "util/textutil.h"

namespace verno {

void T_SearchOptions::SetFindText(const std::string &text) { FindText = ShortHead(text, kShortMax); }

void T_SearchOptions::SetReplaceText(const std::string &text)
{
    ReplaceText = ShortHead(text, kShortMax);
}

bool T_SearchOptions::CanSearchAgain() const
{
    return LastAction != SearchAction::None && !FindText.empty();
}

} // namespace verno

#include "search/searchoptions.h"
#include "editor/textconvert.h"
#include "util/textutil.h"
#include "util/utf8.h"

namespace verno {

std::string shortSearchText(const std::string &chars)
{
    return chars.substr(0, utf8::headUnits(chars, kShortMax));
}

void T_SearchOptions::SetFindText(const std::string &text) { FindText = shortSearchText(text); }
void T_SearchOptions::SetReplaceText(const std::string &text) { ReplaceText = shortSearchText(text); }

bool T_SearchOptions::CanSearchAgain() const
{
    return LastAction != SearchAction::None && !FindText.empty();
}

std::string searchChars(const std::string &bytes, bool utf8)
{
    return utf8 ? bytes : bytesToDisplay(bytes).toUtf8().toStdString();
}

std::string windowBytes(const std::string &chars, bool utf8, bool *holdable)
{
    if (holdable)
        *holdable = true;
    if (utf8)
        return chars;
    const QString text = QString::fromUtf8(chars.data(), qsizetype(chars.size()));
    int unheld = -1;
    std::string bytes = displayToBytes(text.constData(), text.size(), &unheld);
    if (holdable)
        *holdable = unheld < 0;
    return bytes;
}

} // namespace verno

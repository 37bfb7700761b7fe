#include "search/searchoptions.h"
#include "editor/textconvert.h"
#include "util/textutil.h"
#include "util/utf8.h"

namespace verno {

namespace {

// At most 255 characters, never a part of one.
std::string shortChars(const std::string &text) { return text.substr(0, utf8::headUnits(text, kShortMax)); }

} // namespace

void T_SearchOptions::SetFindText(const std::string &text) { FindText = shortChars(text); }
void T_SearchOptions::SetReplaceText(const std::string &text) { ReplaceText = shortChars(text); }

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

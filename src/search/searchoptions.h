#pragma once
#include "search/histlist.h"

#include <QString>
#include <string>

namespace verno {

// Which command Search Again repeats.
enum class SearchAction { None = 0, Find = 1, Replace = 2 };

// The one search state all edit windows share.
class T_SearchOptions {
public:
    static constexpr int kHistoryCapacity = 20;
    static constexpr int kOriginCurrent = 0; // "From &current position"
    static constexpr int kOriginEntire = 1;  // "&Entire text"

    // Texts are characters in UTF-8, whatever the windows hold: each search
    // puts them in the code of the window it runs in.
    T_HistList FindHistory{kHistoryCapacity};
    T_HistList ReplaceHistory{kHistoryCapacity};
    // Store through SetFindText/SetReplaceText, which keep them short texts.
    std::string FindText;
    std::string ReplaceText;
    bool FirstSearch = true;
    bool ReportNotFound = true;
    SearchAction LastAction = SearchAction::None;
    bool CaseSensitive = false;
    bool WholeWords = false;
    bool Backward = false;
    bool AllOccurrences = false;
    bool PromptOnReplace = false;
    int Origin = kOriginCurrent;
    // The find text is a Perl-compatible pattern; kept between runs.
    bool RegularExpression = false;

    // Both cut the text to its first 255 characters.
    void SetFindText(const std::string &text);
    void SetReplaceText(const std::string &text);
    void SetTypedFindText(const QString &typed) { SetFindText(typed.toUtf8().toStdString()); }
    // The find text as the user knows it, for messages and the dialogs.
    QString FindTextShown() const { return QString::fromUtf8(FindText.data(), qsizetype(FindText.size())); }

    bool CanSearchAgain() const;
};

// The first 255 characters of a search text, never a part of one.
std::string shortSearchText(const std::string &chars);

// A text's bytes as the characters of the search state, and back: in a UTF-8
// text they are the same bytes; in a single-byte one, a character it cannot
// hold makes holdable false (a text to find) or becomes "?" (a replacement).
std::string searchChars(const std::string &bytes, bool utf8);
std::string windowBytes(const std::string &chars, bool utf8, bool *holdable = nullptr);

} // namespace verno

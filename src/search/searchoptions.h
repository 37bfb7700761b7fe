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
    // The find text as the user typed it. A character with no single-byte
    // code stands as "?" in FindText, yet such a text matches nothing: no
    // text holds that character.
    void SetTypedFindText(const QString &typed);
    bool FindTextMatches() const { return findTyped_.isEmpty(); }
    // The find text as the user knows it, for messages and the dialogs.
    QString FindTextShown() const;

    bool CanSearchAgain() const;

private:
    QString findTyped_; // only while FindText cannot match
};

} // namespace verno

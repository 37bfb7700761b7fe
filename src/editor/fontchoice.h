#pragma once
// Font dialogs open at the face the text really shows (a stored name may not
// be installed), and OK without a change keeps the name as it was.
#include "platform/fontfallback.h"

#include <QFont>
#include <QFontInfo>

namespace verno {

inline QFont shownFont(const QFont &font)
{
    const QFontInfo info(font);
    QFont shown(info.family(), info.pointSize());
    shown.setBold(info.bold());
    shown.setItalic(info.italic());
    shown.setUnderline(font.underline());
    shown.setStrikeOut(font.strikeOut());
    return shown;
}

inline QFont fontAfterDialog(const QFont &current, const QFont &chosen)
{
    const QFont shown = shownFont(current);
    const bool same = chosen.family() == shown.family() && chosen.pointSize() == shown.pointSize()
                      && chosen.bold() == shown.bold() && chosen.italic() == shown.italic()
                      && chosen.underline() == shown.underline() && chosen.strikeOut() == shown.strikeOut();
    return same ? current : withFixedFallback(chosen);
}

} // namespace verno

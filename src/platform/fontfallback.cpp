#include "platform/fontfallback.h"

#include <QStringList>

namespace verno {

QFont withFixedFallback(QFont font)
{
    const QString face = font.family();
    const QString fallback = QString::fromLatin1(kFixedFallbackFace);
    font.setFamilies(face == fallback ? QStringList{face} : QStringList{face, fallback});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace verno

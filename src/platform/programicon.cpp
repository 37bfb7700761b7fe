#include "platform/programicon.h"

namespace verno {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/verno-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace verno

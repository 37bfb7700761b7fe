#include "editor/framekeys.h"
#include "editor/qteditcontrol.h"

#include <QKeyEvent>

namespace verno {

namespace {
QList<QKeySequence> g_frameKeys;
}

void setFrameKeys(const QList<QKeySequence> &keys) { g_frameKeys = keys; }

bool isFrameKey(const QKeyEvent *e)
{
    if (g_frameKeys.isEmpty() || e->key() == 0 || e->key() == Qt::Key_unknown)
        return false;
    const QKeySequence pressed(QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key())));
    return g_frameKeys.contains(pressed);
}

} // namespace verno

#pragma once
#include <QString>

namespace verno {

// A file is read-only when its owner-write bit is clear or this user cannot
// write it; an attribute that cannot be read counts as read-only. (Root can
// write anything, so the permission bit is what makes the rule hold for all.)
bool isReadOnlyFile(const QString &path);

} // namespace verno

#pragma once
#include <QString>
#include <optional>

namespace verno {

// A directory chooser that also takes the name of a directory that does not
// exist yet (the caller offers to create it). Nothing on cancel.
std::optional<QString> runDirectoryChooser(const QString &title, const QString &start);

} // namespace verno

#pragma once

#include <QString>

namespace vux {

// Full path of the running program file, from the kernel, not from argv or the
// current directory.
QString programFilePath();

// The folder part of a program path: the text before its last slash, without
// the slash; empty when the path has none.
QString folderOf(const QString& programPath);

} // namespace vux

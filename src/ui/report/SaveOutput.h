#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

// Writes a file through a temporary one that replaces `path` only when
// `write` succeeded and everything reached the disk, so a failure never
// leaves a truncated file under the final name. The reason of a failure,
// empty on success.
QString SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write);

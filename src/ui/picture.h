#pragma once

#include <QImage>
#include <QString>

namespace vededa {

/// Reads the main-window picture. The format is recognised from the content, because the default
/// picture is a bitmap or JPEG under its own fixed file name; a missing or unreadable file gives a
/// null image.
QImage readPicture(const QString& path);

} // namespace vededa

#include "ui/picture.h"

#include <QImageReader>

namespace vededa {

QImage readPicture(const QString& path) {
    if (path.isEmpty()) return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace vededa

#pragma once

#include <QIcon>
#include <QPixmap>

// Turns the file bytes a pixmap property holds (PNG, XPM, JPEG, SVG, ...) into a pixmap; the
// decoded pictures are cached by content, since a preview decodes the same icons on every build.
class cVQ4PixmapLoader
{
public:
    // The picture, or a null pixmap for empty or unreadable bytes. SVG is drawn at its own size.
    static QPixmap pixmap(const QByteArray &bytes);
    static QIcon icon(const QByteArray &bytes);
};

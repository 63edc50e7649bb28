#include "cvq4pixmaploader.h"

#include <QCryptographicHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

bool looksLikeSvg(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(512);
    return head.contains("<svg") || (head.contains("<?xml") && bytes.contains("<svg"));
}

QPixmap decode(const QByteArray &bytes)
{
    QPixmap result;
    if (looksLikeSvg(bytes)) {
        QSvgRenderer renderer(bytes);
        if (!renderer.isValid())
            return result;
        QSize size = renderer.defaultSize();
        if (size.isEmpty())
            size = QSize(16, 16);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        result = QPixmap::fromImage(image);
    } else {
        result.loadFromData(bytes);
    }
    return result;
}

} // namespace

QPixmap cVQ4PixmapLoader::pixmap(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QPixmap();
    const QString key = QStringLiteral("vell:")
        + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    result = decode(bytes);
    if (!result.isNull())
        QPixmapCache::insert(key, result);
    return result;
}

QIcon cVQ4PixmapLoader::icon(const QByteArray &bytes)
{
    const QPixmap picture = pixmap(bytes);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

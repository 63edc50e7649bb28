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
    // A form's icons come back on every preview: the last few are kept as icons, found by
    // comparing the bytes, which is cheaper than hashing them for the pixmap cache. Never
    // freed, so that no icon outlives the application object at exit.
    struct tRecentSet
    {
        QByteArray bytes;
        QIcon icon;
    };
    static constexpr int recentCount = 8;
    static tRecentSet *const recent = new tRecentSet[recentCount];
    static int next = 0;
    if (bytes.isEmpty())
        return QIcon();
    for (int i = 0; i < recentCount; ++i) {
        if (recent[i].bytes == bytes)
            return recent[i].icon;
    }
    const QPixmap picture = pixmap(bytes);
    const QIcon result = picture.isNull() ? QIcon() : QIcon(picture);
    // A copy of its own: `bytes` may be a view of a document that goes away.
    recent[next] = {QByteArray(bytes.constData(), bytes.size()), result};
    next = (next + 1) % recentCount;
    return result;
}

#include "ciconitem.h"

#include "vellcore/cfileinfo.h"

#include <QImageReader>
#include <QPixmap>

cIconItem::cIconItem(QTreeWidget *tree, const QString &path, const QString &sizeText)
    : QTreeWidgetItem(tree, 0), mPath(path), mSizeText(sizeText)
{
}

bool cIconItem::loadIcon()
{
    QImageReader reader(mPath);
    const QSize size = reader.size();
    QPixmap pixmap;
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxDecodedPixels) {
        // A huge picture would stall the search; the row shows a blank icon of its own.
        pixmap = QPixmap(1, 1);
        pixmap.fill(Qt::transparent);
    } else {
        pixmap = QPixmap::fromImageReader(&reader);
    }
    if (pixmap.isNull())
        return false;
    setIcon(0, QIcon(pixmap));
    setText(1, qstr(vio::cFileInfo(qstr(mPath)).fileBaseName()));
    setText(2, mSizeText);
    return true;
}

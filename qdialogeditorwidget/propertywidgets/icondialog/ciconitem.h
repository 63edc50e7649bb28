#pragma once

#include <QTreeWidgetItem>

// A row of the icon chooser: the picture, the file's base name and its size class.
class cIconItem : public QTreeWidgetItem
{
public:
    // Pictures beyond this many pixels are listed without being decoded for the row.
    static constexpr qint64 kMaxDecodedPixels = 1024 * 1024;

    cIconItem(QTreeWidget *tree, const QString &path, const QString &sizeText);

    const QString &path() const { return mPath; }
    const QString &sizeText() const { return mSizeText; }

    // Loads the picture; on success shows it with the name and size texts and returns true.
    // A file that cannot be read leaves the row without icon and texts.
    bool loadIcon();

private:
    QString mPath;
    QString mSizeText;
};

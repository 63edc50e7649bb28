#pragma once

#include "cqpwabstractitem.h"

class QPushButton;
class cQPWPixmapLabel;
namespace vmva { class cDVIPixmapProperty; }

// In-place editor of a picture property: shows the picture, takes a new one from the icon
// chooser or clears it. The property holds the image file's bytes as read from disk.
class cQPWPixmapItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWPixmapItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;
    // The folder the icon chooser searches; the system icon folder unless set.
    void setIconRoot(const QString &root) { mIconRoot = root; }
    cQPWPixmapLabel *pixmapLabel() const { return mpPixmapLabel; }

protected:
    void createEditPages() override;

private slots:
    void uiSelectPixmap();
    void uiClearPixmap();

private:
    QPushButton *mpSelectButton = nullptr;
    QPushButton *mpClearButton = nullptr;
    cQPWPixmapLabel *mpPixmapLabel;
    vmva::cDVIPixmapProperty *mpPixmapProperty;
    QString mIconRoot = QStringLiteral("/usr/share/icons");
};

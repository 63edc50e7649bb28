#include "cqpwpixmapitem.h"

#include "cqpwpixmaplabel.h"
#include "icondialog/cqicondialog.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

cQPWPixmapItem::cQPWPixmapItem(cQVEConnectorTreeWidget *owner,
                               vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpPixmapProperty(property ? property->pixmapView() : nullptr)
{
    // Page 0 shows the picture instead of a text.
    auto *layout = new QHBoxLayout(displayLabel());
    layout->setContentsMargins(0, 0, 0, 0);
    mpPixmapLabel = new cQPWPixmapLabel(displayLabel());
    mpPixmapLabel->setToolTip(property ? qstr(property->help()) : QString());
    layout->addWidget(mpPixmapLabel);
    sltUpdateInfo();
}

void cQPWPixmapItem::createEditPages()
{
    mpSelectButton = new QPushButton(QStringLiteral("..."), this);
    mpSelectButton->setToolTip(abstractProperty() ? qstr(abstractProperty()->help()) : QString());
    mpClearButton = createRevertButton(tr("Clear pixmap!"));
    addEditPage({mpSelectButton, mpClearButton});
    connect(mpSelectButton, &QPushButton::clicked, this, &cQPWPixmapItem::uiSelectPixmap);
    connect(mpClearButton, &QPushButton::clicked, this, &cQPWPixmapItem::uiClearPixmap);
    sltUpdateInfo();
}

piVoid cQPWPixmapItem::sltUpdateInfo()
{
    if (!mpPixmapProperty)
        return piVoid();
    QPixmap pixmap;
    QIcon icon;
    const QByteArray &bytes = mpPixmapProperty->value();
    if (!bytes.isEmpty()) {
        // The format is told by the bytes; ones that do not decode leave both empty.
        pixmap = QPixmap::fromImage(QImage::fromData(bytes));
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    mpPixmapLabel->setPixmap(pixmap);
    if (mpSelectButton)
        mpSelectButton->setIcon(icon);
    return piVoid();
}

void cQPWPixmapItem::uiSelectPixmap()
{
    cQIconDialog dialog(nullptr, qstr(mIconRoot));
    const QPointer<cQPWPixmapItem> self(this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!self)
        return;  // the table was refilled while the dialog ran
    if (accepted) {
        if (mpPixmapProperty)
            mpPixmapProperty->setValue(dialog.iconBytes());
        emitPropertyChanged();
        sltUpdateInfo();
    }
    closeEditor();
}

void cQPWPixmapItem::uiClearPixmap()
{
    if (mpPixmapProperty)
        mpPixmapProperty->setValue(QByteArray());
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close pixmap editor later...");
}

#include "cqpwstringitem.h"

#include "q4support/cvq4signalblocker.h"
#include "q4widgets/cvq4latin1validator.h"
#include "vellcore/cdebugstream.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

cQPWStringItem::cQPWStringItem(cQVEConnectorTreeWidget *owner,
                               vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpUnicode(property ? property->ucStringView() : nullptr),
      mpAscii(property ? property->asciiStringView() : nullptr)
{
    displayLabel()->setWordWrap(true);
    displayLabel()->setMaximumWidth(320);
    mEditPage = entryCount() > 0 ? 2 : 1;
    VELL_TRACE(QStringLiteral("EditWidget: %1").arg(mEditPage));
    sltUpdateInfo();
}

bool cQPWStringItem::customAllowed() const
{
    return !mpAscii || !mpAscii->onlyPredefinedValuesAllowed();
}

int cQPWStringItem::entryCount() const
{
    const int predefined = mpAscii ? int(mpAscii->predefinedValues().size()) : 0;
    return predefined > 0 && customAllowed() ? predefined + 1 : predefined;
}

int cQPWStringItem::predefinedIndex(const QString &text) const
{
    if (!mpAscii)
        return -1;
    const auto &values = mpAscii->predefinedValues();
    for (size_t i = 0; i < values.size(); ++i)
        if (qstr(values[i].value) == text)
            return int(i);
    return -1;
}

QString cQPWStringItem::valueText() const
{
    if (mpUnicode)
        return qstr(mpUnicode->value());
    if (mpAscii)
        return qstr(mpAscii->value());
    return QString();
}

void cQPWStringItem::writeText(const QString &text)
{
    if (mpUnicode)
        mpUnicode->setValue(qstr(text));
    else if (mpAscii)
        mpAscii->setValue(qstr(text).ascii('?'));
}

void cQPWStringItem::createEditPages()
{
    const QString help = abstractProperty() ? qstr(abstractProperty()->help()) : QString();
    mpLineEdit = new QLineEdit;
    mpLineEdit->setObjectName(QStringLiteral("mpTxtValue"));
    mpLineEdit->setToolTip(help);
    if (mpAscii)
        cVQ4Latin1Validator::attachTo(*mpLineEdit);
    QPushButton *lineRevert = createRevertButton(tr("Revert to default value!"));
    addEditPage({mpLineEdit, lineRevert});

    mpCombo = new QComboBox;
    mpCombo->setObjectName(QStringLiteral("mpCmbPredefined"));
    mpCombo->setToolTip(help);
    if (mpAscii)
        for (const auto &predefined : mpAscii->predefinedValues())
            mpCombo->addItem(qstr(predefined.name));
    if (mpCombo->count() > 0 && customAllowed())
        mpCombo->addItem(tr("Custom..."));
    QPushButton *comboRevert = createRevertButton(tr("Revert to default value!"));
    addEditPage({mpCombo, comboRevert});

    passHistoryKeys(*mpLineEdit);
    connect(mpLineEdit, &QLineEdit::returnPressed, this, &cQPWStringItem::uiChanged);
    connect(lineRevert, &QPushButton::clicked, this, &cQPWStringItem::uiClear);
    connect(mpCombo, &QComboBox::activated, this, &cQPWStringItem::uiPredefinedValueSelected);
    connect(comboRevert, &QPushButton::clicked, this, &cQPWStringItem::uiClear);
}

piVoid cQPWStringItem::sltUpdateInfo()
{
    VELL_TRACE("cQPWStringItem::sltUpdateInfo()");
    if (mUpdateDepth > 0)
        return piVoid();
    QString text = valueText();
    const int index = predefinedIndex(text);
    if (index >= 0) {
        text = qstr(mpAscii->predefinedValues()[size_t(index)].name);
        mEditPage = 2;
        if (mpCombo) {
            cVQ4SignalBlocker blocker(*mpCombo);
            mpCombo->setCurrentIndex(index);
        }
    }
    if (mpLineEdit) {
        cVQ4SignalBlocker blocker(*mpLineEdit);
        mpLineEdit->setText(text);
    }
    displayLabel()->setText(text);
    return piVoid();
}

void cQPWStringItem::mousePressEvent(QMouseEvent *event)
{
    VELL_TRACE("cQPWStringItem::mousePressEvent(QMouseEvent* p)");
    cQPWAbstractItem::mousePressEvent(event);
}

void cQPWStringItem::openEditPage()
{
    setCurrentIndex(mEditPage);
    mpLineEdit->setFocus(Qt::OtherFocusReason);
}

void cQPWStringItem::uiChanged()
{
    VELL_TRACE("cQPWStringItem::uiChanged()!");
    if (mUpdateDepth > 0)
        return;
    tUpdateScope scope(mUpdateDepth);
    cVQ4SignalBlocker comboBlocker(*mpCombo), lineBlocker(*mpLineEdit);
    const QString text = mpLineEdit->text();
    displayLabel()->setText(text);
    writeText(text);
    if (text.isEmpty()) {
        if (mpCombo->count() > 0)
            mEditPage = 2;
    } else if (const int index = predefinedIndex(text); index >= 0) {
        mpCombo->setCurrentIndex(index);
        mEditPage = 2;
    }
    // The typing is committed: from here Undo takes back the document's step, not the keys.
    mpLineEdit->setText(text);
    emitPropertyChanged();
}

void cQPWStringItem::uiPredefinedValueSelected(int i)
{
    if (mUpdateDepth > 0)
        return;
    tUpdateScope scope(mUpdateDepth);
    cVQ4SignalBlocker comboBlocker(*mpCombo), lineBlocker(*mpLineEdit);
    QString value = valueText();
    if (i >= mpCombo->count() - 1 && customAllowed()) {
        // "Custom...": the line edit takes over; nothing is written yet.
        mEditPage = 1;
        setCurrentIndex(1);
        mpLineEdit->setFocus(Qt::OtherFocusReason);
    } else if (mpAscii && i >= 0 && i < int(mpAscii->predefinedValues().size())) {
        const auto &predefined = mpAscii->predefinedValues()[size_t(i)];
        value = qstr(predefined.value);
        displayLabel()->setText(qstr(predefined.name));
        mpAscii->setValue(predefined.value);
        emitPropertyChanged();
    }
    mpLineEdit->setText(value);
}

void cQPWStringItem::uiClear()
{
    if (mpUnicode)
        mpUnicode->resetToDefault();
    else if (mpAscii)
        mpAscii->resetToDefault();
    if (entryCount() > 0)
        mEditPage = 2;
    sltUpdateInfo();
    emitPropertyChanged();
    closeLater("Close string editor later...");
}

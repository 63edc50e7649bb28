#include "cqpwnameitem.h"

#include "vellmva2/cdviabstractproperty.h"

#include <QHBoxLayout>
#include <QLabel>

cQPWNameItem::cQPWNameItem(QWidget *parent, vmva::cDVIAbstractProperty *property)
    : QWidget(parent), mpProperty(property)
{
    doubleClickedSignal.setInvocationBehaviour(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addSpacing(100);
    const Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter;

    auto *name = new QLabel(qstr(property->name()), this);
    name->setObjectName(QStringLiteral("mpLblName"));
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    name->setFont(bold);
    name->setAlignment(align);
    name->setToolTip(qstr(property->help()));
    layout->addWidget(name);

    auto *direction = new QLabel(directionText(property->flags()), this);
    direction->setObjectName(QStringLiteral("mpLblDirection"));
    direction->setAlignment(align);
    direction->setToolTip(directionToolTip(property->flags()));
    layout->addWidget(direction);
}

QString cQPWNameItem::directionText(unsigned int flags)
{
    switch (flags & vmva::cDVIAbstractProperty::DirectionMask) {
    case 1: return tr("(in)");
    case 2: return tr("(out)");
    case 3: return tr("(in/out)");
    default: return QString();
    }
}

QString cQPWNameItem::directionToolTip(unsigned int flags)
{
    switch (flags & vmva::cDVIAbstractProperty::DirectionMask) {
    case 1:
        return tr("<b>View input.</b><br>View takes data from this property.")
               + QLatin1Char('\n')
               + tr("When connected to a node data will <b>never changed</b> by view.");
    case 2:
        return tr("<b>View output.</b><br>When property is connected to a node view changes the "
                  "value of this node but view ignores changes of node.");
    case 3:
        return tr("<b>View input / output.</b><br>When property is connected to a node the view "
                  "synchronizes from / to this node.");
    default: return QString();
    }
}

void cQPWNameItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    doubleClickedSignal.emitSignal();
}

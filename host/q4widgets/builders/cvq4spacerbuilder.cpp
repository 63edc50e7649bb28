#include "cvq4spacerbuilder.h"

#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QPointer>
#include <QWidget>

namespace {

// An empty widget that asks for `length` pixels along its direction, and `breadth` across it,
// and grows along it.
class cQSpacerWidget final : public QWidget
{
public:
    cQSpacerWidget(QWidget *parent, Qt::Orientation orientation, int length, int breadth)
        : QWidget(parent), mHint(orientation == Qt::Horizontal ? QSize(length, breadth)
                                                                : QSize(breadth, length))
    {
        if (orientation == Qt::Horizontal)
            setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
        else
            setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    }
    // The item goes with the spacer, as a widget's item does, while the layout lives.
    ~cQSpacerWidget() override { leaveLayout(); }
    void leaveLayout()
    {
        if (mLayout && mItem) {
            mLayout->removeItem(mItem);
            delete mItem;
        }
        mLayout = nullptr;
        mItem = nullptr;
    }
    QSize sizeHint() const override { return mHint; }
    void placedBy(QLayout &layout, QLayoutItem &item)
    {
        mLayout = &layout;
        mItem = &item;
    }

private:
    QSize mHint;
    QPointer<QLayout> mLayout;
    QLayoutItem *mItem = nullptr;
};

// The spacer widget's place in a layout: a QSpacerItem of the widget's hint and policy, which
// the layouts give no spacing, that moves the widget along for the preview to find. Not a
// widget item: a grid leaves out the empty ones that hold a widget.
class cQSpacerWidgetItem final : public QSpacerItem
{
public:
    explicit cQSpacerWidgetItem(QWidget &widget) : QSpacerItem(0, 0), mWidget(&widget) {}
    QWidget *spacer() const { return mWidget; }
    QSize sizeHint() const override { return standIn().sizeHint(); }
    QSize minimumSize() const override
    {
        return mWidget ? standIn().minimumSize().expandedTo(mWidget->minimumSize())
                       : QSize(0, 0);
    }
    QSize maximumSize() const override
    {
        return mWidget ? standIn().maximumSize().boundedTo(mWidget->maximumSize())
                       : QSize(0, 0);
    }
    Qt::Orientations expandingDirections() const override
    {
        return standIn().expandingDirections();
    }
    void setGeometry(const QRect &rect) override
    {
        QSpacerItem::setGeometry(rect);
        if (mWidget)
            mWidget->setGeometry(rect);
    }

private:
    // What Qt's own spacer would be; a hidden spacer takes no room at all.
    QSpacerItem standIn() const
    {
        if (!mWidget || mWidget->isHidden())
            return QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        const QSize hint = mWidget->sizeHint();
        const QSizePolicy policy = mWidget->sizePolicy();
        return QSpacerItem(hint.width(), hint.height(), policy.horizontalPolicy(),
                           policy.verticalPolicy());
    }

    QPointer<QWidget> mWidget;
};

// Puts a cQSpacerWidgetItem where the layout placed `spacer` as a widget.
void standInLayout(QObject *parent, cQSpacerWidget &spacer)
{
    auto *layout = qobject_cast<QLayout *>(parent);
    const int index = layout ? layout->indexOf(&spacer) : -1;
    if (index < 0)
        return;
    auto *item = new cQSpacerWidgetItem(spacer);
    if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
        delete box->takeAt(index);
        box->insertItem(index, item);
    } else if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        delete grid->takeAt(index);
        grid->addItem(item, row, column, rowSpan, columnSpan);
    } else if (auto *form = qobject_cast<QFormLayout *>(layout)) {
        int row = 0;
        QFormLayout::ItemRole role = QFormLayout::FieldRole;
        form->getItemPosition(index, &row, &role);
        delete form->takeAt(index);
        form->setItem(row, role, item);
    } else {
        delete item;
        return;
    }
    spacer.placedBy(*layout, *item);
}

} // namespace

cVQ4SpacerBuilder::cVQ4SpacerBuilder()
{
    addCommonAspects();
}

QObject *cVQ4SpacerBuilder::create(vmva::cDVAbstractStdDMViewProperties *properties,
                                   QObject *parent, cVQ4VMVBuildContext &context) const
{
    const Qt::Orientation orientation =
        intOf(properties, "Orientation", 1) == 2 ? Qt::Vertical : Qt::Horizontal;
    const int length = int(std::clamp<__int64>(intOf(properties, "Size", 20), 0, 4096));
    const int breadth = int(std::clamp<__int64>(intOf(properties, "Breadth", 0), 0, 4096));
    auto *spacer = new cQSpacerWidget(widgetOf(parent), orientation, length, breadth);
    if (!placeWidget(*spacer, parent, context)) {
        delete spacer;
        return nullptr;
    }
    if (!context.atTopLevel())
        standInLayout(contentOf(parent), *spacer);
    return spacer;
}

QWidget *cVQ4SpacerBuilder::spacerOf(QLayoutItem &item)
{
    auto *spacerItem = dynamic_cast<cQSpacerWidgetItem *>(&item);
    return spacerItem ? spacerItem->spacer() : nullptr;
}

void cVQ4SpacerBuilder::leaveLayout(QWidget &widget)
{
    if (auto *spacer = dynamic_cast<cQSpacerWidget *>(&widget))
        spacer->leaveLayout();
}

#include "cvq4spacerbuilder.h"

#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QWidget>

namespace {

// An empty widget that asks for `length` pixels along its direction and grows there.
class cQSpacerWidget final : public QWidget
{
public:
    cQSpacerWidget(QWidget *parent, Qt::Orientation orientation, int length)
        : QWidget(parent), mHint(orientation == Qt::Horizontal ? QSize(length, 0)
                                                                : QSize(0, length))
    {
        if (orientation == Qt::Horizontal)
            setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
        else
            setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return mHint; }

private:
    QSize mHint;
};

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
    auto *spacer = new cQSpacerWidget(widgetOf(parent), orientation, length);
    if (!placeWidget(*spacer, parent, context)) {
        delete spacer;
        return nullptr;
    }
    return spacer;
}

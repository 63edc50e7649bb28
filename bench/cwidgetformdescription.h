#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QMargins>
#include <QSize>
#include <QSizePolicy>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLayout;
class QWidget;

// A widget tree written down as data: taken from a built form, it is written as a Qt Designer
// document and built again directly in code, so that three ways of building the very same form
// can be timed against each other.
class cWidgetFormDescription
{
public:
    struct tLayoutNode;

    // One widget: its Qt class, name and the values it holds that differ from a new widget.
    struct tWidgetNode
    {
        QByteArray className;
        QString name;
        QString text, title, toolTip, prefix, suffix, windowTitle, displayFormat;
        QStringList items;
        bool disabled = false, hidden = false, wordWrap = false, richText = false;
        bool checkable = false, checked = false, readOnly = false, textVisible = true;
        bool wrapping = false, notchesVisible = false, calendarPopup = false;
        bool widgetResizable = false, childrenCollapsible = true;
        int alignment = 0, echoMode = 0, maxLength = 32767;
        int minimum = 0, maximum = 99, value = 0, singleStep = 1, pageStep = 10;
        int currentIndex = -1, orientation = 1, tabPosition = 0, tickPosition = 0;
        int frameShape = 0, frameShadow = 0x10, lineWidth = 1, decimals = 2;
        int horizontalScrollBar = 0, verticalScrollBar = 0, standardButtons = 0;
        double realMinimum = 0, realMaximum = 99.99, realValue = 0, realStep = 1;
        QDateTime dateTime, minimumDateTime, maximumDateTime;
        QList<int> sizes; // of a splitter's children
        bool hasFont = false;
        QFont font;
        QSizePolicy sizePolicy;
        QSize minimumSize, maximumSize = QSize(16777215, 16777215);
        std::unique_ptr<tLayoutNode> layout;
        // The pages of a tab or stacked widget (a tab's title in `title`), the children of a
        // splitter, the content of a scroll area.
        std::vector<std::unique_ptr<tWidgetNode>> pages;
    };

    // One layout and its entries in order (each a widget, a nested layout or a spacer), with
    // the cell of each in a grid (row, column, spans) or form (row; column 0 label, 1 field,
    // span 2 both).
    struct tLayoutNode
    {
        QByteArray className;
        QString name;
        int spacing = -1;
        int labelAlignment = 0;
        QMargins margins;
        QList<int> rowStretch, columnStretch;
        struct tItemPair
        {
            std::unique_ptr<tWidgetNode> widget;
            std::unique_ptr<tLayoutNode> layout;
            QSize spacer; // the size hint of a spacer, when neither of the above
            bool horizontalSpacer = false;
            int stretch = 0;
            int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        };
        std::vector<tItemPair> items;
    };

    // Takes down `form` and everything in it.
    explicit cWidgetFormDescription(const QWidget &form);
    ~cWidgetFormDescription();

    // The form as a Qt Designer ".ui" document.
    QByteArray uiDocument() const;
    // Builds the form with plain Qt calls under `parent`.
    QWidget *build(QWidget *parent) const;

    int widgetCount() const { return mWidgets; }
    int layoutCount() const { return mLayouts; }

private:
    std::unique_ptr<tWidgetNode> takeWidget(const QWidget &widget);
    void takeValues(const QWidget &widget, tWidgetNode &node);
    std::unique_ptr<tLayoutNode> takeLayout(const QLayout &layout);

    std::unique_ptr<tWidgetNode> mRoot;
    int mWidgets = 0;
    int mLayouts = 0;
};

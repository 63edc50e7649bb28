#pragma once

#include <QByteArray>
#include <QFont>
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
        QString text, title, toolTip, suffix, windowTitle;
        QStringList items;
        bool hasText = false, disabled = false, hidden = false, wordWrap = false;
        bool checkable = false, checked = false, readOnly = false, textVisible = true;
        int alignment = 0, echoMode = 0, maxLength = 32767;
        int minimum = 0, maximum = 99, value = 0, singleStep = 1, currentIndex = -1;
        int orientation = 1, tabPosition = 0;
        bool hasFont = false;
        QFont font;
        QSizePolicy sizePolicy;
        QSize minimumSize, maximumSize = QSize(16777215, 16777215);
        std::unique_ptr<tLayoutNode> layout;
        std::vector<std::unique_ptr<tWidgetNode>> pages;   // of a tab widget, titled by `title`
    };

    // One box layout and its entries in order (each a widget or a nested layout).
    struct tLayoutNode
    {
        QByteArray className;
        QString name;
        int spacing = -1;
        QMargins margins;
        struct tItemPair
        {
            std::unique_ptr<tWidgetNode> widget;
            std::unique_ptr<tLayoutNode> layout;
            int stretch = 0;
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
    std::unique_ptr<tLayoutNode> takeLayout(const QLayout &layout);

    std::unique_ptr<tWidgetNode> mRoot;
    int mWidgets = 0;
    int mLayouts = 0;
};

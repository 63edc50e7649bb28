#pragma once

// Shared by the property table tests: a properties object built by hand, the table shown with
// it, and answering the warning boxes the editors raise.

#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

// An element's properties put together by a test, in the order added.
class cTestProperties : public vmva::cDVAbstractStdDMViewProperties
{
public:
    template <class P, class... A> P &add(A &&...args)
    {
        return addProperty(std::make_unique<P>(std::forward<A>(args)...));
    }

protected:
    void createProperties() override {}
};

// A property table shown and active with `properties`, keeping what it reported: the properties
// whose rows were chosen, those whose assign menu was asked for, and the changes it wrote.
class cShownTable : public cQVEConnectorTreeWidget
{
public:
    explicit cShownTable(cTestProperties &properties, QSize size = QSize(700, 500))
        : cQVEConnectorTreeWidget(nullptr)
    {
        using tName = vrmi::cDirectLocalSlotCall1<cShownTable, const vstd::cAsciiString &>;
        connectorSelectedSignal.connect(tName(this, &cShownTable::sltSelected));
        nodeAssignMenuSignal.connect(tName(this, &cShownTable::sltAssignMenu));
        propertyChangedSignal.connect(
            vrmi::cDirectLocalSlotCall0<cShownTable>(this, &cShownTable::sltChanged));
        setProperties(&properties);
        resize(size);
        show();
        activateWindow();
        if (!QTest::qWaitForWindowActive(this))
            qWarning("table not active");
    }

    // The editor of the cell, if it is an `E`.
    template <class E> E *editor(int row, int col = 1) const
    {
        return qobject_cast<E *>(cellWidget(row, col));
    }

    QStringList selected, assignMenus;
    int changed = 0;

private:
    piVoid sltSelected(const vstd::cAsciiString &name)
    {
        selected << qstr(name);
        return piVoid();
    }
    piVoid sltAssignMenu(const vstd::cAsciiString &name)
    {
        assignMenus << qstr(name);
        return piVoid();
    }
    piVoid sltChanged()
    {
        ++changed;
        return piVoid();
    }
};

// With VELL_SCREENSHOT_DIR set, saves a picture of `widget`'s window there as NAME.png.
inline void saveShot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("VELL_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        widget->window()->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Types `text` into `widget` key by key, also characters beyond ASCII (QTest::keyClicks takes
// ASCII only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), {});
    }
}

// Runs `action`; every warning box it opens is recorded as "title|text" and discarded.
inline QStringList warningsDuring(const std::function<void()> &action)
{
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
            saveShot(box, QStringLiteral("warning"));
            box->button(QMessageBox::Discard)->click();
        }
    });
    poll.start(10);
    action();
    return seen;
}

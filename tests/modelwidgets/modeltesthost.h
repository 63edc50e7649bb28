#pragma once

// Shared set-up of the model panel tests: a host with a component of its own, nodes of every
// value type, menus read as outlines and popup menus driven as a user does.

#include "q4support/cvq4application.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"
#include "vellmva2/tgenericnode.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using tText = vmva::tGenericNode<vucs::cString, vmva::cIndexModelProperties>;
using tNumber = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
using tReal = vmva::tGenericNode<double, vmva::cDRangeModelProperties>;
using tFlag = vmva::tGenericNode<bool, vmva::cBasicModelProperties>;
using tCommand = vmva::tGenericNode<piVoid, vmva::cBasicModelProperties>;
using tList = vmva::tGenericNode<vmva::cStringList, vmva::cBasicModelProperties>;

// A component that provides models and nothing else.
struct cTestProvider : vcs::cAbstractComponent
{
    cTestProvider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame, const char *name,
                  const char *context = "Component")
        : vcs::cAbstractComponent(mgr, frame)
    {
        moduleInfo().setName(name);
        moduleInfo().setContext(context);
    }
};

// The trace lines written while it lives, without their source position.
class cTraceCapture
{
public:
    cTraceCapture()
    {
        mPrevious = vpi::system().setSink([this](const QString &line) {
            const int blank = line.indexOf(QLatin1Char(' '));
            lines << line.mid(blank + 1).chopped(line.endsWith(QLatin1Char('\n')) ? 1 : 0);
        });
    }
    ~cTraceCapture() { vpi::system().setSink(mPrevious); }
    QStringList lines;

private:
    vpi::cDebugStream::tSink mPrevious;
};

// A menu as indented lines: "--" for a separator, "name/" for a submenu followed by its
// content, "(name)" for a disabled entry.
inline QStringList menuOutline(const QMenu &menu, int depth = 0)
{
    QStringList rows;
    const QString indent(depth * 2, QLatin1Char(' '));
    for (QAction *a : menu.actions()) {
        if (a->isSeparator())
            rows << indent + "--";
        else if (a->menu()) {
            rows << indent + a->text() + "/";
            rows << menuOutline(*a->menu(), depth + 1);
        } else
            rows << indent + (a->isEnabled() ? a->text() : "(" + a->text() + ")");
    }
    return rows;
}

// Called with the open menu chain right before a popup entry is chosen (screenshots).
inline std::function<void()> &beforePopupChoice()
{
    static std::function<void()> hook;
    return hook;
}

// Walks the open popup `menu` into the submenus named by the start of their text and chooses
// the last entry with Return, as with the keyboard. An entry not found closes every popup.
inline void pickInPopup(QMenu *menu, QStringList path)
{
    QAction *target = nullptr;
    for (QAction *a : menu->actions())
        if (!path.isEmpty() && !a->isSeparator() && a->text().startsWith(path.first()))
            target = target ? target : a;
    if (!target) {
        qWarning("no menu entry %s", qPrintable(path.value(0)));
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        return;
    }
    menu->setActiveAction(target);
    if (path.size() == 1) {
        if (beforePopupChoice())
            beforePopupChoice()();
        QTest::keyClick(menu, Qt::Key_Return);
        return;
    }
    QTest::keyClick(menu, Qt::Key_Right);
    QMenu *sub = target->menu();
    path.removeFirst();
    QTimer::singleShot(0, sub, [sub, path] { pickInPopup(sub, path); });
}

// Chooses `path` in the next popup menu that opens; `outline`, when given, gets its content.
inline void pickFromNextPopup(const QStringList &path, QStringList *outline = nullptr)
{
    QTimer::singleShot(0, [path, outline] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            qWarning("no popup menu open");
            return;
        }
        if (outline)
            *outline = menuOutline(*menu);
        if (path.isEmpty())
            menu->close();
        else
            pickInPopup(menu, path);
    });
}

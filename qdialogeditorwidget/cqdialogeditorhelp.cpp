#include "cqdialogeditorhelp.h"

#include "vellcore/cmodulemgr.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

cQDialogEditorHelp::cQDialogEditorHelp(QMainWindow &window) : QObject(&window), mWindow(window)
{
    QMenu *menu = window.menuBar()->addMenu(tr("&Help"));
    menu->setObjectName(QStringLiteral("mpMnuHelp"));
    QAction *gettingStarted = menu->addAction(tr("Getting started"));
    gettingStarted->setObjectName(QStringLiteral("mpActGettingStarted"));
    gettingStarted->setShortcut(QKeySequence::HelpContents);
    menu->addSeparator();
    QAction *about = menu->addAction(tr("About"));
    about->setObjectName(QStringLiteral("mpActAbout"));
    connect(gettingStarted, &QAction::triggered, this, &cQDialogEditorHelp::uiShowGettingStarted);
    connect(about, &QAction::triggered, this, &cQDialogEditorHelp::uiShowAbout);
}

QString cQDialogEditorHelp::versionText()
{
    return tr("VELL model based dialog editor %1 on the VELL host framework %2.%3")
        .arg(QStringLiteral(VELL_EDITOR_VERSION))
        .arg(vcs::cModuleMgr::kVellMajor)
        .arg(vcs::cModuleMgr::kVellMinor);
}

void cQDialogEditorHelp::uiShowAbout(bool)
{
    QMessageBox::about(&mWindow, tr("About"),
                       versionText() + QStringLiteral("\n\n")
                           + tr("Builds dialogs, menus and tool bars from data-view elements "
                                "and binds their properties to the host's data models."));
}

void cQDialogEditorHelp::uiShowGettingStarted(bool)
{
    if (!mpGettingStarted) {
        auto *page = new QDialog(&mWindow);
        page->setObjectName(QStringLiteral("mpDlgGettingStarted"));
        page->setWindowTitle(tr("Getting started"));
        auto *layout = new QVBoxLayout(page);
        auto *text = new QLabel(
            tr("<ol>"
               "<li>Select \"/\" in the layout tree and append a Dialog from the Views menu "
               "(or the tree's right-click menu).</li>"
               "<li>Select the dialog and append a layout into it, for example a vertical "
               "box.</li>"
               "<li>Select the layout and append elements into it: labels, edit fields, "
               "buttons. The letter keys shown in the menus do the same.</li>"
               "<li>Bind a property to a data model: name a parameter for the model in "
               "Models &gt; Show Parameters, then right-click the property in the table and "
               "choose \"Assign to model\"; the connector column shows the binding.</li>"
               "<li>Save with Ctrl+S; F9 opens the form as it will run.</li>"
               "</ol>"),
            page);
        text->setObjectName(QStringLiteral("mpLblGettingStarted"));
        text->setWordWrap(true);
        layout->addWidget(text);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, page);
        connect(buttons, &QDialogButtonBox::rejected, page, &QDialog::close);
        layout->addWidget(buttons);
        page->resize(460, page->sizeHint().height());
        mpGettingStarted = page;
    }
    mpGettingStarted->show();
    mpGettingStarted->raise();
    mpGettingStarted->activateWindow();
}

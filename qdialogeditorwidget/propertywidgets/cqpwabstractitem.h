#pragma once

#include "vellcore/vrmi.h"

#include <QStackedWidget>

#include <initializer_list>

class QLabel;
class QLineEdit;
class QPushButton;
class cQVEConnectorTreeWidget;
namespace vmva { class cDVIAbstractProperty; }

// The frame every in-place property editor of the connector table shares: page 0 shows the
// value, the edit pages (1, and 2 where an editor has two) are built on the first open, so a
// table fill pays for labels only. A press opens the editor after closing every other editor of
// the table; the table closes it again, or the editor itself after the current event.
//
// A subclass builds its edit pages in createEditPages() (with addEditPage() and, if it has one,
// createRevertButton()), refreshes page 0 and any built page from the property in
// sltUpdateInfo(), writes changes straight into the property and then calls
// emitPropertyChanged(). It never writes the property from construction or sltUpdateInfo().
class cQPWAbstractItem : public QStackedWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // `owner` is the Qt parent and the table whose signals the editor uses; `property` belongs
    // to the element and may be null (the editor then shows an empty label).
    cQPWAbstractItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);
    ~cQPWAbstractItem() override;

    cQVEConnectorTreeWidget *owner() const { return mpOwner; }
    vmva::cDVIAbstractProperty *abstractProperty() const { return mpProperty; }
    // The label of page 0.
    QLabel *displayLabel() const { return mpDisplayLabel; }
    bool isOpen() const { return currentIndex() > 0; }
    // At least as tall as an input widget, so a row fits the edit page before it is built.
    QSize sizeHint() const override;
    // Builds the edit pages unless they exist (a subclass builds them on its first open).
    void ensureEditPages();
    bool hasEditPages() const { return mPagesBuilt; }
    // Cuts the editor off from its table and its own input widgets: called by the table before
    // the editor goes (deleted after the current event, or with the table), so that a focus
    // change while it is hidden reaches neither the table nor a property that may be gone.
    void detach();

    // Host slots the table connects: closeEditorsSignal, updateInfoSignal.
    piVoid closeEditor();
    virtual piVoid sltUpdateInfo() = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    // Keeps Return for the editor: passed on, the table would take it as activating its row.
    void keyPressEvent(QKeyEvent *event) override;
    // Builds pages 1 (and 2) and fills them from the property; runs once.
    virtual void createEditPages() = 0;
    // Shows the edit page a press opens: page 1, focus unchanged, unless overridden.
    virtual void openEditPage();
    // Adds a page holding `widgets` left to right (margin 0, spacing 1); returns the page.
    QWidget *addEditPage(std::initializer_list<QWidget *> widgets);
    // A flat 16 x 16 button with the revert icon.
    QPushButton *createRevertButton(const QString &toolTip);
    // Undo and Redo typed in `field` undo its typing while it has some, else they reach the
    // window's history: a text committed with Return is a step of the document.
    void passHistoryKeys(QLineEdit &field);
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Tells the table (and through it the main window) that the property was written.
    void emitPropertyChanged();
    // Shows page 0 after the current event, through the host scheduler (`label` names the work).
    void closeLater(const char *label);

    // Raises the update depth while it lives: input handlers ignore the widget changes they
    // cause themselves, and a refresh does not run inside a handler.
    class tUpdateScope
    {
    public:
        explicit tUpdateScope(int &depth) : mDepth(depth) { ++mDepth; }
        ~tUpdateScope() { --mDepth; }
        tUpdateScope(const tUpdateScope &) = delete;
        tUpdateScope &operator=(const tUpdateScope &) = delete;

    private:
        int &mDepth;
    };
    int mUpdateDepth = 0;

private:
    cQVEConnectorTreeWidget *mpOwner;
    vmva::cDVIAbstractProperty *mpProperty;
    QLabel *mpDisplayLabel;
    bool mPagesBuilt = false;
};

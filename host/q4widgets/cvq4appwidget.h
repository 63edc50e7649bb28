#pragma once

#include "q4support/cvq4application.h"

#include <QWidget>

// A window built by the host's factories: a dialog of a running form or of a preview.
// Whether the user may close it is set by its owner (embedded previews may not).
class cVQ4AppWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cVQ4AppWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~cVQ4AppWidget() override;

    void setCloseAllowed(bool allowed) { mCloseAllowed = allowed; }
    bool closeAllowed() const { return mCloseAllowed; }

    // The locale the window's texts follow; null until linked.
    vucs::cLILocale *liLocale() const { return mLocale; }
    void linkLocale(vucs::cLILocale &locale) { mLocale = &locale; }

    // The size the form asks for; 0 in a direction leaves that direction to the layout.
    void setInitialSize(const QSize &size) { mInitialSize = size; updateGeometry(); }
    QSize initialSize() const { return mInitialSize; }
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool mCloseAllowed = true;
    QSize mInitialSize{0, 0};
    vucs::cLILocale *mLocale = nullptr;
};

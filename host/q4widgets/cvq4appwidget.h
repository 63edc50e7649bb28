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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool mCloseAllowed = true;
    vucs::cLILocale *mLocale = nullptr;
};

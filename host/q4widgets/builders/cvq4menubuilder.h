#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds menus: the top-level menu of a menu form, and submenus inside a menu or menu bar.
class cVQ4MenuBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4MenuBuilder();

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};

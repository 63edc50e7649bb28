// Entry of the LCD number UI plug-in: registers its one element behind those already known.
#include "clcdelementfactory.h"
#include "clcdnumberbuilder.h"

#include "q4support/cvq4vmvdataviewmgr.h"

extern "C" Q_DECL_EXPORT void vellRegisterDataViewElements(cVQ4VMVDataViewMgr &mgr)
{
    if (mgr.findExtension(cLcdElementFactory::kElementName))
        return;
    mgr.addExtension(std::make_unique<cQUIDataViewItemExtension>(
        std::make_unique<cLcdElementFactory>(), std::make_unique<cLcdNumberBuilder>()));
}

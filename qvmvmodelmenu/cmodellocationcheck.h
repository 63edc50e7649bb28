#pragma once

#include "vellmva2/cdmdatamodeldescriptor.h"
#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QString>
#include <QStringList>

// Tells what is wrong with a model location for a property, against the dialog parameters and
// the live models, so that a field can say it while the location is typed.
class cModelLocationCheck
{
public:
    // The node value types among a property's allowed types (blanks or commas between them);
    // empty when it names none, which allows every node.
    static QStringList nodeTypes(const vstd::cAsciiString &allowedTypes);
    // The reason `location` does not name a node the property takes, empty when it does (or
    // when it binds nothing, or the model placeholder of a container's children).
    static QString problem(const vmva::cDVAbstractDataViewMgr &manager,
                           const vmva::cDVDataViewArgList &parameters,
                           const vstd::cAsciiString &allowedTypes,
                           const vmva::cDMDataModelDescriptor &location);
};

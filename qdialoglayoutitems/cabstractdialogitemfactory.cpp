#include "cabstractdialogitemfactory.h"

cAbstractDialogItemFactory::~cAbstractDialogItemFactory() = default;

#pragma once

class cAbstractDialogItemFactory;
class cDialogItemFactoryRegistry;
class cQAbstractDialogLayoutItem;
class cVQ4VMVDataViewMgr;

// Generates a dialog form of a given size out of whatever dialog elements the registry offers:
// a dialog with a tree of nested layouts, containers and tab or stacked widgets, filled with a
// rotating mix of widget elements (every element type of the registry's dialogs in turn), every
// property set to a value other than its default and every connectable property bound.
class cBenchFormGenerator
{
public:
    explicit cBenchFormGenerator(const cDialogItemFactoryRegistry &registry);

    // Appends the form to `root`; returns the number of elements created: `elements`, but at
    // least the dialog and its layout.
    int generate(cQAbstractDialogLayoutItem &root, int elements);

private:
    cQAbstractDialogLayoutItem &add(cQAbstractDialogLayoutItem &parent,
                                    const cAbstractDialogItemFactory &factory);
    void setProperties(cQAbstractDialogLayoutItem &item);

    const cDialogItemFactoryRegistry &mRegistry;
    int mCount = 0;
};

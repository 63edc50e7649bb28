#pragma once

class QWidget;
class cVQ4AbstractComponent;

// Asks "Save changes to FORM?" before the program ends with work that no save has taken:
// Save runs the component's own save, Discard gives the work up, Cancel keeps the program.
class cSaveChangesQuestion
{
public:
    // True when the program may end: nothing unsaved, saved, or discarded. A save that fails
    // is reported and keeps the program, as does a save whose file dialog was cancelled.
    static bool mayClose(cVQ4AbstractComponent &component, QWidget *parent);
};

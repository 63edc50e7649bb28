#pragma once

#include <QString>

class QAction;

// One entry of the icon chooser's "Add to..." menu: the folder a copy goes to and its action.
struct cIconDirActionPair
{
    QString targetFolder;
    QAction *action = nullptr;
};

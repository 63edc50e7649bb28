#pragma once

#include "vellcore/cabstractexception.h"

#include <QString>

// The one line that names why a document could not be read, as compilers write theirs:
// "FILE:LINE:COLUMN: reason". The readers put the position into their messages ("at line 3,
// column 7"); it is taken from the innermost message that has one, and the reason is the
// innermost message without the file and the position it repeats.
class cFaultLine
{
public:
    // `file` is the name the reader was given (the messages name it so).
    static QString format(const vstd::cAbstractException &e, const QString &file);
};

#pragma once

#include "vellmva2/cdmdatamodeldescriptor.h"

#include <QString>

// Reads a model location typed as "parameter.path" into a descriptor, for every field that
// takes one; the fields differ only in the shorthands they accept, named by tOption.
class cModelPathSyntax
{
public:
    enum tOption {
        NoShorthands = 0,
        // "unset" (as the connector cell shows an unbound location) unbinds.
        UnsetUnbinds = 1,
        // ".path" binds to the placeholder parameter "$(modelPath)".
        LeadingDotMeansModelPath = 2,
    };
    // The connector cell takes both shorthands, the location panel neither.
    static constexpr int connectorCell = UnsetUnbinds | LeadingDotMeansModelPath;
    static constexpr int locationPanel = NoShorthands;

    struct tResult
    {
        // Empty (unbinding) unless a binding was read.
        vmva::cDMDataModelDescriptor location;
        // What is wrong with the text, as a warning shows it; empty when it was read.
        QString error;
        bool ok() const { return error.isEmpty(); }
    };

    // Reads `text` (converted to 8 bits, '?' for characters without an 8-bit form). An empty
    // text unbinds. The parameter name is held to the name length of documents, so that what a
    // field takes can be written and read back.
    static tResult parse(const QString &text, int options);
};

#pragma once

#include "cuiconversionreport.h"

#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"
#include "vellcore/cstring.h"

#include <memory>
#include <vector>

class cDialogItemFactoryRegistry;

// Reads a Qt Designer form (".ui") into dialog documents, element by element through the
// mapping table, and lists in a report whatever it approximated or left out.
//
// The input is bounded as every document reader bounds its input (cDocumentLimits), and a
// refusal names the source, the line and the column as theirs do.
class cUiFormReader
{
public:
    // One document read from a form; `name` is empty for the form itself and names the menu or
    // tool bar of a main window that became a form of its own.
    struct tFormSet
    {
        QString name;
        std::unique_ptr<cQDialogLayoutRootItem> root;
    };

    // `registry` gives the elements and must outlive the reader.
    explicit cUiFormReader(const cDialogItemFactoryRegistry &registry);

    // Reads `data`; pictures given as files are looked up relative to `folder`. Throws a
    // cRuntimeException naming `source` for input that is no form or breaks a limit.
    std::vector<tFormSet> read(const QByteArray &data, const vucs::cString &source,
                               const QString &folder, cUiConversionReport &report) const;
    // Reads the file at `path` as read() does.
    std::vector<tFormSet> readFile(const vucs::cString &path,
                                   cUiConversionReport &report) const;

private:
    const cDialogItemFactoryRegistry &mRegistry;
};

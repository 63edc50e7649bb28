#pragma once

#include "cuiconversionreport.h"

#include <QString>

#include <utility>
#include <vector>

class cQAbstractDialogLayoutItem;
class cUiXmlNode;
namespace vmva {
class cDVIAbstractProperty;
}

// Reads the properties and attributes a form gives one widget, layout or action into its
// element's properties through the mapping table, reporting what it approximates or leaves
// out; the exact values of dynamic properties are kept until the whole form is read.
class cUiPropertyReader
{
public:
    // The direction of the box a widget sits in, along which its size policy and sizes act.
    enum class eDirection { None, Horizontal, Vertical };

    // Pictures given as files are looked up relative to `folder`.
    cUiPropertyReader(const QString &folder, cUiConversionReport &report)
        : mFolder(folder), mReport(report) {}

    void read(cQAbstractDialogLayoutItem &item, const QString &element, const cUiXmlNode &node,
              eDirection direction);
    // A dynamic property (stdset="0"): a binding or an exact value; false when it is neither.
    bool readDynamic(cQAbstractDialogLayoutItem &item, const QString &name,
                     const cUiXmlNode &value);
    // Gives the exact values their properties, over whatever the form's own elements gave them
    // (cells, entries, size hints are read after the properties).
    void applyExact();

    static void setText(cQAbstractDialogLayoutItem &item, const char *property,
                        const QString &text);
    // Sets an integer property, bounded to its range (reported at `at`).
    void setInt(cQAbstractDialogLayoutItem &item, const char *property, qint64 value,
                const cUiXmlNode &at);

private:
    using Item = cQAbstractDialogLayoutItem;
    void approximate(const cUiXmlNode &at, const QString &text);
    void drop(const cUiXmlNode &at, const QString &text);
    void dropMnemonic(Item &label, const cUiXmlNode &buddy);
    void readLayoutHints(Item &item, const cUiXmlNode *policy, const cUiXmlNode *minimum,
                         const cUiXmlNode *maximum, eDirection direction);

    QString mFolder;
    cUiConversionReport &mReport;
    std::vector<std::pair<vmva::cDVIAbstractProperty *, QString>> mExact;
};

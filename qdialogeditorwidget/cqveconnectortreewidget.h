#pragma once

#include "vellcore/vrmi.h"

#include <QTableWidget>

#include <functional>
#include <vector>

class QLineEdit;
class cQPWAbstractItem;
class cQPWNameItem;
namespace vmva {
class cDMDataModelDescriptor;
class cDVAbstractStdDMViewProperties;
class cDVIAbstractProperty;
}

// The property and connector table: one row per property of the selected element, grouped
// under topic header rows, with the name, an in-place value editor and a connector editor.
// Editors write straight into the element's properties and report through the table's signals.
class cQVEConnectorTreeWidget : public QTableWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    explicit cQVEConnectorTreeWidget(QWidget *parent);
    ~cQVEConnectorTreeWidget() override;

    // A property row was chosen (its name).
    vrmi::localSignal1<const vstd::cAsciiString &> connectorSelectedSignal;
    // A model location editor asks for the node assignment menu (the property's name).
    vrmi::localSignal1<const vstd::cAsciiString &> nodeAssignMenuSignal;
    // An editor wrote its property.
    vrmi::localSignal0 propertyChangedSignal;
    // Every editor returns to its display page.
    vrmi::localSignal0 closeEditorsSignal;
    // Every editor re-reads its property.
    vrmi::localSignal0 updateInfoSignal;

    // Shows the properties of one element (not owned), or clears the table for null. The table
    // and its editors point into `properties` until the next call: clear it before they go.
    void setProperties(vmva::cDVAbstractStdDMViewProperties *properties);
    vmva::cDVAbstractStdDMViewProperties *properties() const { return mpProperties; }
    const vstd::cAsciiString &currentPropertyName() const { return mCurrentPropertyName; }
    // Every editor re-reads its property; then the cells fit the editors again.
    void updateInfo();
    // Fits the name and value columns and the row heights to the cell widgets.
    void adjustSizes();
    // A field whose text filters the table (`parent` owns it): only the rows whose property
    // name or help text holds it are shown, with the headers of their topics. Made with the
    // table as its parent, it sits above the rows inside the table's frame.
    QLineEdit *createFilterField(QWidget *parent);
    void setFilter(const QString &text);
    const QString &filter() const { return mFilter; }
    // Makes the row of a pressed cell widget current and names its property, as a press on
    // the row itself does, so that what follows the current property follows the editor.
    void selectRowOf(const QWidget &cell);
    // Lets every model location field the table's editors make complete "parameter.path".
    void setModelPathCompletion(std::function<void(QLineEdit &)> attach)
    {
        mModelPathCompletion = std::move(attach);
    }
    const std::function<void(QLineEdit &)> &modelPathCompletion() const
    {
        return mModelPathCompletion;
    }

    // Tells what is wrong with a location typed for a property (empty: nothing), so that the
    // connector fields can say it while it is typed.
    using tLocationCheck = std::function<QString(const vmva::cDVIAbstractProperty &,
                                                 const vmva::cDMDataModelDescriptor &)>;
    void setLocationCheck(tLocationCheck check) { mLocationCheck = std::move(check); }
    const tLocationCheck &locationCheck() const { return mLocationCheck; }

    // The value editor for `property`, chosen by the typed view it offers and wired to the
    // table and to the row's name cell; null for a kind without an editor. Clears
    // `connectable` for kinds whose editor is the connector itself.
    cQPWAbstractItem *createValueEditor(vmva::cDVIAbstractProperty &property,
                                        cQPWNameItem &name, bool &connectable);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Keeps the room above the rows for the filter field made inside the table.
    void updateGeometries() override;

private slots:
    void sltCellActivated(int iRow, int iCol);
    // The cell widgets draw their texts in the selection's text colour on the selected row.
    void sltSelectionChanged();

private:
    piVoid sltPropertiesChanged();
    // Connects closeEditorsSignal and updateInfoSignal to `editor`.
    void connectEditor(cQPWAbstractItem &editor);
    void clearRows();
    void addHeaderRow(int row, const vstd::cAsciiString &topic);
    void addPropertyRow(int row, vmva::cDVIAbstractProperty &property);
    void nameProperty(int row);
    void applyFilter();
    void tintRow(int row, bool selected);

    vstd::cAsciiString mCurrentPropertyName;
    QString mFilter;
    QLineEdit *mpInnerFilterField = nullptr;
    bool mSettingMargins = false;
    vmva::cDVAbstractStdDMViewProperties *mpProperties = nullptr;
    std::function<void(QLineEdit &)> mModelPathCompletion;
    tLocationCheck mLocationCheck;
};

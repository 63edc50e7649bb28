// Writes the example forms: a dialog, a menu and a tool bar bound to the demo models of vellhost
// ("Machine" and "Settings").
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/standardelements.h"
#include "q4widgets/cvq4vmvformwriter.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vce.h"

#include <QDir>

#include <cstdio>
#include <functional>

namespace {

QByteArray svg(const char *shape)
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">")
        + shape + "</svg>";
}

const QByteArray kStartIcon = svg("<path d=\"M4 2 L14 8 L4 14 Z\" fill=\"#2e9d3a\"/>");
const QByteArray kStopIcon = svg("<rect x=\"3\" y=\"3\" width=\"10\" height=\"10\" "
                                 "fill=\"#c8322b\"/>");
const QByteArray kMachineIcon = svg("<circle cx=\"8\" cy=\"8\" r=\"6\" fill=\"none\" "
                                    "stroke=\"#35608f\" stroke-width=\"3\"/>"
                                    "<circle cx=\"8\" cy=\"8\" r=\"2\" fill=\"#35608f\"/>");

vmva::cDVLayoutParameter fixedWidth(unsigned int width)
{
    vmva::cDVLayoutParameter p;
    p.setMode(vmva::cDVLayoutParameter::Fixed);
    p.setMinimum(width);
    p.setMaximum(width);
    return p;
}

// A row of a caption and a value label bound to `location`.
void valueRow(cVQ4VMVFormWriter &w, const char *caption, const char *location)
{
    w.open("HBoxLayout").set("Label", location);
    w.open("Label").set("Text", caption).set("Layout", fixedWidth(130)).close();
    w.open("Label").set("Label", location).set("Text", "-").bind("Text", location).close();
    w.close();
}

void writeMachine(cVQ4VMVFormWriter &w)
{
    w.writeFormInfo("Dialog", "Machine", "VELL", 1, 0);
    w.open("Dialog").set("Label", "Machine window").set("Title", "Machine")
        .bind("Title", "Machine.name").set("WindowIcon", kMachineIcon).set("Width", 380);
    w.open("VBoxLayout");

    w.open("GroupBox").set("Label", "State").set("Title", "State");
    w.open("VBoxLayout");
    valueRow(w, "Name:", "Machine.name");
    valueRow(w, "Status:", "Machine.status");
    valueRow(w, "Temperature (\u00b0C):", "Machine.temperature");
    w.open("HBoxLayout");
    w.open("Label").set("Text", "Speed (rpm):").set("Layout", fixedWidth(130)).close();
    w.open("SpinBox").set("Label", "Speed").set("Maximum", 3000).set("SingleStep", 100)
        .set("Suffix", " rpm").bind("Value", "Machine.speed").close();
    w.close();
    w.open("ProgressBar").set("Label", "Load").bind("Value", "Machine.load").close();
    w.open("CheckBox").set("Label", "Running").set("Text", "Running")
        .bind("Checked", "Machine.running").close();
    w.close().close();

    w.open("TabWidget").set("Label", "Details");
    w.open("TabPage").set("Label", "Drive page").set("Title", "Drive");
    w.open("VBoxLayout");
    valueRow(w, "Motor speed (rpm):", "Machine.drive.motor.speed");
    valueRow(w, "Motor current (A):", "Machine.drive.motor.current");
    w.close().close();
    w.open("TabPage").set("Label", "Settings page").set("Title", "Settings");
    w.open("VBoxLayout");
    w.open("HBoxLayout");
    w.open("Label").set("Text", "Target speed:").set("Layout", fixedWidth(130)).close();
    w.open("SpinBox").set("Maximum", 3000).set("SingleStep", 100).set("Suffix", " rpm")
        .bind("Value", "Settings.targetSpeed").close();
    w.close();
    w.open("HBoxLayout");
    w.open("Label").set("Text", "Operator:").set("Layout", fixedWidth(130)).close();
    w.open("LineEdit").bind("Text", "Settings.operator").close();
    w.close();
    w.open("CheckBox").set("Text", "Metric units").bind("Checked", "Settings.metric").close();
    w.close().close();
    w.close(); // tab widget

    w.open("HBoxLayout").set("Label", "Buttons");
    w.open("Spacer").close();
    w.open("PushButton").set("Label", "Start").set("Text", "Start").set("Icon", kStartIcon)
        .bind("Command", "Machine.start").close();
    w.open("PushButton").set("Label", "Stop").set("Text", "Stop").set("Icon", kStopIcon)
        .bind("Command", "Machine.stop").close();
    w.close();

    w.close().close();
}

// Every dialog element of the library, bound to the demo machine where it shows a value.
void writeElements(cVQ4VMVFormWriter &w)
{
    w.writeFormInfo("Dialog", "Elements", "VELL", 1, 0);
    w.open("Dialog").set("Title", "Every element").set("Width", 640);
    w.open("VBoxLayout");
    w.open("Splitter").set("Sizes", "330, 290");

    w.open("GroupBox").set("Title", "Grid layout");
    w.open("GridLayout").set("Columns", 2).set("ColumnStretch", "0, 1");
    w.open("Label").set("Text", "Name:").close();
    w.open("LineEdit").bind("Text", "Machine.name").close();
    w.open("Label").set("Text", "Speed:").close();
    w.open("SpinBox").set("Maximum", 3000).set("SingleStep", 100).bind("Value", "Machine.speed")
        .close();
    w.open("Label").set("Text", "Setpoint:").close();
    w.open("DoubleSpinBox").set("Maximum", 150.0).set("Decimals", 1).set("Suffix", " \u00b0C")
        .bind("Value", "Machine.setpoint").close();
    w.open("Label").set("Text", "Service:").close();
    w.open("DateEdit").set("DisplayFormat", "dd.MM.yyyy").set("CalendarPopup", true)
        .bind("Value", "Machine.serviceDate").close();
    w.open("Slider").set("Cell", "4, 0, 1, 2").set("Maximum", 3000)
        .bind("Value", "Machine.speed").close();
    w.open("ProgressBar").set("Cell", "5, 0, 1, 2").bind("Value", "Machine.load").close();
    w.open("Line").set("Cell", "6, 0, 1, 2").close();
    w.open("CheckBox").set("Cell", "7, 0").set("Text", "Running")
        .bind("Checked", "Machine.running").close();
    w.open("Dial").set("Cell", "7, 1").set("Maximum", 3000).set("Layout", fixedWidth(60))
        .bind("Value", "Machine.speed").close();
    w.close().close();

    w.open("Widget");
    w.open("VBoxLayout");
    w.open("Frame").set("FrameShape", 6).set("FrameShadow", 0x20);
    w.open("FormLayout");
    w.open("Label").set("Text", "Status:").close();
    w.open("Label").set("Text", "-").bind("Text", "Machine.status").close();
    w.open("Label").set("Text", "Mode:").close();
    w.open("ComboBox").set("Entries", "Manual\nAutomatic\nService")
        .bind("CurrentIndex", "Machine.mode").close();
    w.open("Label").set("Text", "Shift:").close();
    w.open("TimeEdit").set("Value", "06:00:00").set("DisplayFormat", "HH:mm").close();
    w.open("Label").set("Text", "Installed:").close();
    w.open("DateTimeEdit").set("Value", "2024-05-13T09:30:00").close();
    w.open("RadioButton").set("Cell", "4, 0, 1, 2").set("Text", "Running")
        .bind("Checked", "Machine.running").close();
    w.open("RadioButton").set("Cell", "5, 0, 1, 2").set("Text", "Stopped").close();
    w.close().close();
    w.open("ListWidget").bind("Entries", "Machine.jobs").set("ToolTip", "Jobs waiting").close();
    w.open("StackedWidget").bind("CurrentIndex", "Machine.mode");
    for (const char *text : {"Turn the spindle by hand.", "The machine runs its program.",
                             "Open the cover only when stopped."})
        w.open("TabPage").open("VBoxLayout").open("Label").set("Text", text).close().close()
            .close();
    w.close();
    w.close().close(); // widget

    w.close(); // splitter

    w.open("TabWidget");
    w.open("TabPage").set("Title", "Notes");
    w.open("VBoxLayout");
    w.open("TextEdit").bind("Text", "Machine.status").close();
    w.close().close();
    w.open("TabPage").set("Title", "Scrolled");
    w.open("VBoxLayout");
    w.open("ScrollArea");
    w.open("VBoxLayout");
    for (const char *text : {"First", "Second", "Third", "Fourth"})
        w.open("Label").set("Text", text).close();
    w.close().close();
    w.close().close();
    w.close(); // tab widget

    w.open("HBoxLayout");
    w.open("Spacer").close();
    w.open("PushButton").set("Text", "Start").set("Icon", kStartIcon)
        .bind("Command", "Machine.start").close();
    w.open("PushButton").set("Text", "Stop").set("Icon", kStopIcon)
        .bind("Command", "Machine.stop").close();
    w.close();
    w.open("DialogButtonBox").set("StandardButtons", "Ok | Cancel")
        .bind("AcceptCommand", "Machine.start").bind("RejectCommand", "Machine.stop").close();
    w.close().close();
}

void writeMenu(cVQ4VMVFormWriter &w)
{
    w.writeFormInfo("Menu", "Machine menu", "VELL", 1, 0);
    w.open("Menu").set("Label", "Machine menu").set("Title", "Machine");
    w.open("MenuItem").set("Label", "Status").set("Text", "-").bind("Text", "Machine.status")
        .set("Enabled", false).close();
    w.open("MenuSeparator").close();
    w.open("MenuItem").set("Label", "Start").set("Text", "Start").set("Icon", kStartIcon)
        .set("Shortcut", "Ctrl+R").bind("Command", "Machine.start").close();
    w.open("MenuItem").set("Label", "Stop").set("Text", "Stop").set("Icon", kStopIcon)
        .set("Shortcut", "Ctrl+T").bind("Command", "Machine.stop").close();
    w.open("MenuItem").set("Label", "Running").set("Text", "Running").set("Checkable", true)
        .bind("Checked", "Machine.running").close();
    w.open("MenuSeparator").close();
    w.open("Menu").set("Label", "View").set("Title", "View");
    w.open("MenuItem").set("Text", "Drive").close();
    w.open("MenuItem").set("Text", "Settings").close();
    w.close();
    w.close();
}

void writeToolBar(cVQ4VMVFormWriter &w)
{
    w.writeFormInfo("ToolBar", "Machine tools", "VELL", 1, 0);
    w.open("ToolBar").set("Label", "Machine tools").set("Title", "Machine")
        .set("ToolButtonStyle", "TextBesideIcon").set("IconSize", 16);
    w.open("ToolButton").set("Label", "Start").set("Text", "Start").set("Icon", kStartIcon)
        .bind("Command", "Machine.start").close();
    w.open("ToolButton").set("Label", "Stop").set("Text", "Stop").set("Icon", kStopIcon)
        .bind("Command", "Machine.stop").close();
    w.open("ToolSeparator").close();
    w.open("ToolButton").set("Label", "Running").set("Text", "Running").set("Checkable", true)
        .bind("Checked", "Machine.running").close();
    w.open("ToolButton").set("Label", "Status").set("Text", "-")
        .bind("Text", "Machine.status").close();
    w.close();
}

void writeForm(vcs::cModuleMgr &moduleMgr, cVQ4VMVDataViewMgr &mgr, const QString &path,
               const std::function<void(cVQ4VMVFormWriter &)> &write)
{
    auto serializer = moduleMgr.coreExtensions().createSerializer("XML-Config", "Form");
    cVQ4VMVFormWriter writer(mgr, *serializer);
    write(writer);
    serializer->writeToFile(qstr(path));
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellexamples <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    try {
        vcs::cModuleMgr moduleMgr;
        cVQ4VMVDataViewMgr mgr(moduleMgr);
        registerStandardElements(mgr);
        writeForm(moduleMgr, mgr, folder.filePath("machine.dlg"), writeMachine);
        writeForm(moduleMgr, mgr, folder.filePath("elements.dlg"), writeElements);
        writeForm(moduleMgr, mgr, folder.filePath("menu.dlg"), writeMenu);
        writeForm(moduleMgr, mgr, folder.filePath("toolbar.dlg"), writeToolBar);
    } catch (const vstd::cAbstractException &e) {
        std::fprintf(stderr, "vellexamples: %s\n", qPrintable(vstd::describe(e).text()));
        return 1;
    }
    return 0;
}

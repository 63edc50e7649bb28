#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;
class cVQ4Application;

// Opens a saved form the way the running application does: built by the host's factories from
// the file, its parameters assigned to models of the host. A dialog opens as its window, a menu
// as a popup, a tool bar in a window of its own.
class cFormRunner
{
public:
    explicit cFormRunner(cVQ4Application &application);
    ~cFormRunner();
    cFormRunner(const cFormRunner &) = delete;
    cFormRunner &operator=(const cFormRunner &) = delete;

    // Assigns the model at `modelPath` (a model name or a dotted sub-model path) to the dialog
    // parameter `parameter`, adding the parameter when the argument list lacks it. Throws
    // cRuntimeException when there is no such model.
    void assign(const QString &parameter, const QString &modelPath);
    // Builds the form in the file at `path` and shows it; returns the widget shown. Throws
    // cRuntimeException for a file that cannot be read or holds no form.
    QWidget *open(const QString &path);
    // One line for each parameter the form in `path` binds to that is not among `assigned`,
    // and for each of `assigned` that the form does not bind to.
    QStringList parameterWarnings(const QString &path, const QStringList &assigned) const;

private:
    // View category (a vq4::ViewCategory) of the file's first top-level element; 0 when there
    // is none, with the types of the elements passed over in `skipped`.
    int categoryOf(const QString &path, QStringList &skipped) const;
    // The parameters the connectors of the file's properties name, in document order.
    QStringList parametersOf(const QString &path) const;

    cVQ4Application &mApplication;
    std::unique_ptr<QWidget> mShown;
};

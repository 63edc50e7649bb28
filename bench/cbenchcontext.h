#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class cDialogDocument;
class cDialogItemFactoryRegistry;
class cVQ4Application;
class cVQ4VMVDataViewMgr;
namespace vcs { class cModuleMgr; }

// What every figure group of dlgbench shares: a host with the standard elements, the generated
// form, a scratch folder, repeated timing and the report lines.
class cBenchContext
{
public:
    cBenchContext(int elements, int runs);
    ~cBenchContext();
    cBenchContext(const cBenchContext &) = delete;
    cBenchContext &operator=(const cBenchContext &) = delete;

    // The number of elements asked for, and how many the generated form really has.
    int requestedElements() const { return mRequested; }
    int elements();
    int runs() const { return mRuns; }

    cVQ4Application &application() const { return *mApplication; }
    cVQ4VMVDataViewMgr &dataViewMgr() const;
    cDialogItemFactoryRegistry &registry() const { return *mRegistry; }
    // The document holding the generated form, built on first use.
    cDialogDocument &document();
    // The generated form saved as a ".dlg" file, written on first use.
    QString formFile();
    QString scratchPath(const QString &name) const { return mDir.filePath(name); }

    // The median duration of `runs()` executions of `work`, in milliseconds.
    double medianMs(const std::function<void()> &work) const;
    // Prints "key: value".
    void report(const char *key, double value, int decimals = 3) const;
    void report(const char *key, long long value) const;

private:
    int mRequested;
    int mRuns;
    int mGenerated = 0;
    QTemporaryDir mDir;
    std::unique_ptr<vcs::cModuleMgr> mModuleMgr;
    std::unique_ptr<cVQ4Application> mApplication;
    std::unique_ptr<cDialogItemFactoryRegistry> mRegistry;
    std::unique_ptr<cDialogDocument> mDocument;
    QString mFormFile;
};

#include "cbenchcontext.h"

#include "cbenchformgenerator.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"

#include "q4support/cvq4application.h"
#include "q4support/elements/standardelements.h"
#include "vellcore/cmodulemgr.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

cBenchContext::cBenchContext(int elements, int runs)
    : mRequested(elements), mRuns(std::max(1, runs)),
      mModuleMgr(std::make_unique<vcs::cModuleMgr>()),
      mApplication(std::make_unique<cVQ4Application>(*mModuleMgr))
{
    registerStandardElements(mApplication->vmvMgr());
    mRegistry = std::make_unique<cDialogItemFactoryRegistry>(&mApplication->vmvMgr());
    mRegistry->rebuildFactories();
}

cBenchContext::~cBenchContext()
{
    // Items refer to the element extensions: the document goes before the host.
    mDocument.reset();
    mRegistry.reset();
    mApplication.reset();
    mModuleMgr.reset();
}

cVQ4VMVDataViewMgr &cBenchContext::dataViewMgr() const
{
    return mApplication->vmvMgr();
}

cDialogDocument &cBenchContext::document()
{
    if (!mDocument) {
        mDocument = std::make_unique<cDialogDocument>(&dataViewMgr(), *mRegistry,
                                                      mApplication->dialogArguments());
        mGenerated = cBenchFormGenerator(*mRegistry).generate(mDocument->root(), mRequested);
        mDocument->deriveParameters();
    }
    return *mDocument;
}

int cBenchContext::elements()
{
    document();
    return mGenerated;
}

QString cBenchContext::formFile()
{
    if (mFormFile.isEmpty()) {
        const QString path = scratchPath(QStringLiteral("form.dlg"));
        document().saveDocument(qstr(path));
        mFormFile = path;
    }
    return mFormFile;
}

double cBenchContext::medianMs(const std::function<void()> &work) const
{
    std::vector<double> times;
    for (int i = 0; i < mRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t mid = times.size() / 2;
    return times.size() % 2 ? times[mid] : (times[mid - 1] + times[mid]) / 2;
}

void cBenchContext::report(const char *key, double value, int decimals) const
{
    std::printf("%s: %.*f\n", key, decimals, value);
    std::fflush(stdout);
}

void cBenchContext::report(const char *key, long long value) const
{
    std::printf("%s: %lld\n", key, value);
    std::fflush(stdout);
}

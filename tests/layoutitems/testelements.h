#pragma once

// Element types made up for the tests: a small host with extensions of every kind and one
// properties class with one property of each kind.

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"
#include "qdialoglayoutitems/cqdialoglayoutviewitem.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QStringList>

#include <memory>

// Properties with one property of each kind, counting how many live and whether store() fails.
class cTestProperties : public vmva::cDVAbstractStdDMViewProperties
{
public:
    static int live;
    static int created;     // createProperties() calls
    static bool failStore;

    cTestProperties() { ++live; }
    ~cTestProperties() override { --live; }
    void store(vsa::cAbstractSerializer &serializer) const override;

protected:
    void createProperties() override;
};

// A host element type with fixed answers.
class cTestItemFactory : public cVQ4VMVAbstractMVItemFactory
{
public:
    cTestItemFactory(const char *name, int kind, int category, bool topLevel,
                     bool withProperties = true, const char *display = nullptr);
    int elementKind() const override { return mKind; }
    int viewCategory() const override { return mCategory; }
    bool isTopLevelElement() const override { return mTopLevel; }
    vstd::cAsciiString displayName() const override { return mDisplay; }
    vstd::cAsciiString elementName() const override { return mName; }
    vstd::cAsciiString groupName() const override { return "Test"; }
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override;

private:
    vstd::cAsciiString mName, mDisplay;
    int mKind, mCategory;
    bool mTopLevel, mWithProperties;
};

// A module manager, a data-view manager with the test elements, the registry over them and an
// argument list.
//   TDialog 0/1 top, TGroup 0/1, TLayout 1/1, TButton 2/1, TTabs 5/1, TPage 4/1,
//   TMenu 6/2 top, TEntry 3/2, TBar 6/3 top, TTool 3/3, TBare 2/1 without properties.
class cTestHost
{
public:
    explicit cTestHost(bool withElements = true);
    ~cTestHost();

    void addElement(const char *name, int kind, int category, bool topLevel,
                    bool withProperties = true, const char *display = nullptr);

    // A new item of element `name` under `parent`, inserted at the end.
    cQDialogLayoutViewItem &append(cQAbstractDialogLayoutItem &parent, const char *name);
    std::unique_ptr<cQDialogLayoutViewItem> create(cQAbstractDialogLayoutItem &parent,
                                                   const char *name);

    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr dataViewMgr;
    cDialogItemFactoryRegistry registry;
    vmva::cDVDataViewArgList arguments;
};

// The tree below `item` as "TDialog(TLayout(TButton,TButton))", labels in brackets when set.
QString treeText(const cQAbstractDialogLayoutItem &item);
// Every property value and connector of every element below `item`, one line each.
QStringList propertyLines(const cQAbstractDialogLayoutItem &item);
// Sets every property of `item` to a value different from its default and from other seeds;
// connectable properties get the connector `parameter`.path<seed> when `parameter` is given.
void setAllProperties(cQAbstractDialogLayoutItem &item, int seed, const char *parameter = nullptr);

// The messages of an exception chain, outermost first, as shown.
QStringList messageChain(const vstd::cAbstractException &e);

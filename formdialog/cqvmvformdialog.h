#pragma once

#include "qdialoglayoutitems/cabstractforminfostore.h"

#include "vellcore/tlist.h"
#include "vellcore/vrmi.h"

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui { class uiDialogFormDlgSetup; }

// The form information panel: shows and edits a document's form information, moves its version
// at the next store, and lists and writes the form's texts to translate (".ftr" templates).
class cQVMVFormDialog : public QWidget, public vrmi::cConnectable, public cAbstractFormInfoStore
{
    Q_OBJECT
public:
    // The fields a user edits here: name, author and the version with its pending changes.
    struct tEditSet
    {
        QString name, author;
        unsigned int versionMajor = 0, versionMinor = 1;
        bool majorPending = false, minorPending = false;
        // Equal in what the next store writes: a pending change counts as made.
        bool sameEffect(const tEditSet &other) const;
    };

    explicit cQVMVFormDialog(QWidget *parent);
    ~cQVMVFormDialog() override;

    // No taller than the fields need: the panel shares the window's bottom with the table.
    QSize sizeHint() const override;

    // Receivers append the 8-bit keys of the texts to translate.
    vrmi::localSignal1<vstd::tList<vstd::cAsciiString> &> sigCollectTranslationKeys;

    void reset() override;
    void updateTranslationList() override { uiBtUpdateTranslationList(); }
    void storeFormInfo(vsa::cAbstractSerializer &serializer) override;
    void writeFormInfo(vsa::cAbstractSerializer &serializer) const override;
    void applyFormInfo(const cFormInfoRecord &record) override;
    void setFormType(const vstd::cAsciiString &type) override;

    tEditSet editSet() const;
    // Shows `fields` as if the user had entered them.
    void applyEditSet(const tEditSet &fields);

    const vstd::cAsciiString &formType() const { return mFormType; }
    unsigned int versionMajor() const { return mVersionMajor; }
    unsigned int versionMinor() const { return mVersionMinor; }
    // The form name as stored in documents and templates.
    vstd::cAsciiString formName() const;

    // Writes the template for the collected keys to `path`, replacing the file. Throws the host
    // file errors; nothing is written when the keys cannot be collected.
    void writeTranslationTemplate(const QString &path);
    // The template's bytes: the header naming `formName`, then one line per key.
    static QByteArray translationTemplate(const vstd::cAsciiString &formName,
                                          const vstd::tList<vstd::cAsciiString> &keys);

signals:
    // The user finished editing the name or the author, or asked for a new version.
    void edited();

private slots:
    void uiBtMinorChange();
    void uiBtMajorChange();
    void uiBtUpdateTranslationList();
    void uiBtCreateTranslationTemplate();

private:
    void showVersion();
    // The record of the fields as shown, with `lastModified`.
    cFormInfoRecord record(const vstd::cAsciiString &lastModified) const;

    std::unique_ptr<Ui::uiDialogFormDlgSetup> mpUi;
    unsigned int mVersionMajor = 0;
    unsigned int mVersionMinor = 1;
    bool mMajorChangePending = false;
    bool mMinorChangePending = false;
    vstd::cAsciiString mFormType = "none";
    // The keys the translation list shows, in its order.
    vstd::tList<vstd::cAsciiString> mShownKeys;
};

#include "cqvmvformdialog.h"
#include "ui_uidialogformdlgsetup.h"

#include "q4widgets/cvq4latin1validator.h"
#include "vellcore/cabstractexception.h"
#include "vellcore/cfile.h"
#include "vellcore/cplatform.h"

#include <QFileDialog>
#include <QMessageBox>

#include <algorithm>

cQVMVFormDialog::cQVMVFormDialog(QWidget *parent)
    : QWidget(parent), mpUi(std::make_unique<Ui::uiDialogFormDlgSetup>())
{
    sigCollectTranslationKeys.setInvocationBehaviour(1);
    mpUi->setupUi(this);
    // The name is kept as an 8-bit string; the author is not.
    cVQ4Latin1Validator::attachTo(*mpUi->mpTxtName);
    mpUi->mpLstTranslations->header()->hide();
    mpUi->mpLstTranslations->setColumnCount(1);
    mpUi->mpLstTranslations->setRootIsDecorated(false);
    // Every row is one line of text. Told so, the list places a row by its number instead of
    // measuring every row above a changed one, which it would otherwise do for each change.
    mpUi->mpLstTranslations->setUniformRowHeights(true);
    // The list takes the height the information beside it needs, not a list's usual height:
    // the panel shares the bottom of the window with the property table.
    QSizePolicy listPolicy = mpUi->mpLstTranslations->sizePolicy();
    listPolicy.setVerticalPolicy(QSizePolicy::Ignored);
    mpUi->mpLstTranslations->setSizePolicy(listPolicy);
    reset();
    using D = cQVMVFormDialog;
    connect(mpUi->mpBtVersionMinor, &QPushButton::clicked, this, &D::uiBtMinorChange);
    connect(mpUi->mpBtVersionMajor, &QPushButton::clicked, this, &D::uiBtMajorChange);
    connect(mpUi->mpTxtName, &QLineEdit::editingFinished, this, &D::edited);
    connect(mpUi->mpTxtAutor, &QLineEdit::editingFinished, this, &D::edited);
    connect(mpUi->mpBtUpdateTranslationList, &QPushButton::clicked, this,
            &D::uiBtUpdateTranslationList);
    connect(mpUi->mpBtCreateTemplate, &QPushButton::clicked, this,
            &D::uiBtCreateTranslationTemplate);
}

cQVMVFormDialog::~cQVMVFormDialog() = default;

QSize cQVMVFormDialog::sizeHint() const
{
    return QSize(QWidget::sizeHint().width(), minimumSizeHint().height());
}

void cQVMVFormDialog::reset()
{
    mVersionMajor = 0;
    mVersionMinor = 1;
    mMajorChangePending = false;
    mMinorChangePending = false;
    mpUi->mpBtVersionMajor->setEnabled(true);
    mpUi->mpBtVersionMinor->setEnabled(true);
    mFormType = "none";
    mpUi->mpTxtType->setText(qstr(mFormType));
    mpUi->mpLstTranslations->clear();
    mShownKeys.clear();
    mpUi->mpTxtAutor->setText(qstr(vpi::cPlatform::userName()));
    mpUi->mpTxtName->setText(QStringLiteral("Form"));
    showVersion();
    mpUi->mpTxtLastEdited->setText(QStringLiteral("-"));
}

void cQVMVFormDialog::showVersion()
{
    mpUi->mpTxtVersion->setText(QStringLiteral("%1.%2").arg(mVersionMajor).arg(mVersionMinor));
}

vstd::cAsciiString cQVMVFormDialog::formName() const
{
    return qstr(mpUi->mpTxtName->text()).ascii('?');
}

void cQVMVFormDialog::setFormType(const vstd::cAsciiString &type)
{
    const vstd::cAsciiString shown = type.empty() ? vstd::cAsciiString("none") : type;
    if (shown == mFormType)
        return;
    mFormType = shown;
    mpUi->mpTxtType->setText(qstr(mFormType));
}

void cQVMVFormDialog::storeFormInfo(vsa::cAbstractSerializer &serializer)
{
    if (mMajorChangePending) {
        mMajorChangePending = false;
        ++mVersionMajor;
        showVersion();
        mpUi->mpBtVersionMajor->setEnabled(true);
    }
    if (mMinorChangePending) {
        mMinorChangePending = false;
        ++mVersionMinor;
        showVersion();
        mpUi->mpBtVersionMinor->setEnabled(true);
    }
    const vstd::cAsciiString lastModified = cFormInfoRecord::lastModifiedNow();
    const QString lastEdited = qstr(lastModified);
    if (mpUi->mpTxtLastEdited->text() != lastEdited)
        mpUi->mpTxtLastEdited->setText(lastEdited);
    record(lastModified).store(serializer);
}

void cQVMVFormDialog::writeFormInfo(vsa::cAbstractSerializer &serializer) const
{
    record(qstr(mpUi->mpTxtLastEdited->text()).ascii('?')).store(serializer);
}

cFormInfoRecord cQVMVFormDialog::record(const vstd::cAsciiString &lastModified) const
{
    cFormInfoRecord record;
    record.lastModified = lastModified;
    record.type = mFormType;
    record.name = formName();
    record.author = qstr(mpUi->mpTxtAutor->text());
    record.versionMajor = mVersionMajor;
    record.versionMinor = mVersionMinor;
    return record;
}

void cQVMVFormDialog::applyFormInfo(const cFormInfoRecord &record)
{
    // A version asked for belongs to the form it was asked for on, not to the one loaded.
    mMajorChangePending = false;
    mMinorChangePending = false;
    mpUi->mpBtVersionMajor->setEnabled(true);
    mpUi->mpBtVersionMinor->setEnabled(true);
    if (!record.present) {
        // Version numbers stay as they are for a document that does not tell them.
        mpUi->mpTxtAutor->setText(QStringLiteral("unknown"));
        mpUi->mpTxtName->setText(QStringLiteral("unknown"));
        mpUi->mpTxtVersion->setText(QStringLiteral("-"));
        mpUi->mpTxtLastEdited->setText(QStringLiteral("-"));
        return;
    }
    mVersionMajor = record.versionMajor;
    mVersionMinor = record.versionMinor;
    mpUi->mpTxtAutor->setText(qstr(record.author));
    mpUi->mpTxtLastEdited->setText(qstr(record.lastModified));
    showVersion();
    mpUi->mpTxtName->setText(qstr(record.name));
}

void cQVMVFormDialog::uiBtMinorChange()
{
    mMinorChangePending = true;
    mpUi->mpBtVersionMinor->setEnabled(false);
    emit edited();
}

void cQVMVFormDialog::uiBtMajorChange()
{
    mMajorChangePending = true;
    mpUi->mpBtVersionMajor->setEnabled(false);
    emit edited();
}

bool cQVMVFormDialog::tEditSet::sameEffect(const tEditSet &other) const
{
    return name == other.name && author == other.author
           && versionMajor + majorPending == other.versionMajor + other.majorPending
           && versionMinor + minorPending == other.versionMinor + other.minorPending;
}

cQVMVFormDialog::tEditSet cQVMVFormDialog::editSet() const
{
    return {mpUi->mpTxtName->text(), mpUi->mpTxtAutor->text(), mVersionMajor,
            mVersionMinor,           mMajorChangePending,      mMinorChangePending};
}

void cQVMVFormDialog::applyEditSet(const tEditSet &fields)
{
    mpUi->mpTxtName->setText(fields.name);
    mpUi->mpTxtAutor->setText(fields.author);
    mVersionMajor = fields.versionMajor;
    mVersionMinor = fields.versionMinor;
    mMajorChangePending = fields.majorPending;
    mMinorChangePending = fields.minorPending;
    mpUi->mpBtVersionMajor->setEnabled(!mMajorChangePending);
    mpUi->mpBtVersionMinor->setEnabled(!mMinorChangePending);
    showVersion();
}

void cQVMVFormDialog::uiBtUpdateTranslationList()
{
    vstd::tList<vstd::cAsciiString> keys{formName()};
    sigCollectTranslationKeys.emitSignal(keys);
    // The list follows every edit of the form: only the rows between the unchanged first and
    // last keys are made anew, and only their keys become texts.
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [](const vstd::cAsciiString &key) { return key.empty(); }),
               keys.end());
    QTreeWidget &list = *mpUi->mpLstTranslations;
    const int had = int(mShownKeys.size());
    const int has = int(keys.size());
    const auto same = [](const vstd::cAsciiString &a, const vstd::cAsciiString &b) {
        return a.bytes() == b.bytes();
    };
    int first = 0;
    while (first < had && first < has && same(mShownKeys[first], keys[first]))
        ++first;
    int last = 0;
    while (last < had - first && last < has - first
           && same(mShownKeys[had - 1 - last], keys[has - 1 - last]))
        ++last;
    // Rows in the changed range get their new texts in place: a row that comes or goes has
    // the list lay out all its rows again.
    const int kept = std::min(had - last, has - last) - first;
    for (int i = first; i < first + kept; ++i)
        list.topLevelItem(i)->setText(0, qstr(keys[i]));
    for (int row = had - last - 1; row >= first + kept; --row)
        delete list.takeTopLevelItem(row);
    QList<QTreeWidgetItem *> added;
    for (int i = first + kept; i < has - last; ++i)
        added << new QTreeWidgetItem(QStringList(qstr(keys[i])));
    if (!added.isEmpty())
        list.insertTopLevelItems(first + kept, added);
    mShownKeys = std::move(keys);
}

QByteArray cQVMVFormDialog::translationTemplate(const vstd::cAsciiString &formName,
                                                const vstd::tList<vstd::cAsciiString> &keys)
{
    const QByteArray crlf("\r\n");
    QByteArray out = "//" + crlf;
    out += "// Translation file for " + formName.bytes() + "." + crlf;
    out += "// Encoding: UTF-8." + crlf;
    out += "// Please make sure you are working with an UTF-8 capable text editor!" + crlf;
    out += "//" + crlf + crlf;
    for (const vstd::cAsciiString &key : keys)
        out += key.bytes() + " = \" \";" + crlf;
    return out;
}

void cQVMVFormDialog::writeTranslationTemplate(const QString &path)
{
    // Keys first: a receiver that fails leaves any existing file as it was.
    vstd::tList<vstd::cAsciiString> keys;
    sigCollectTranslationKeys.emitSignal(keys);
    const QByteArray bytes = translationTemplate(formName(), keys);
    vio::cFile file(qstr(path), 1, 2, 1);
    file.write(bytes);
    file.close();
}

void cQVMVFormDialog::uiBtCreateTranslationTemplate()
{
    uiBtUpdateTranslationList();
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Choose a Filename"), mpUi->mpTxtName->text() + QStringLiteral(".ftr"),
        tr("Translations (*.ftr)"));
    if (path.isEmpty())
        return;
    // Qt may not unwind a host error through this slot: it is shown here instead.
    try {
        writeTranslationTemplate(path);
    } catch (const vstd::cAbstractException &e) {
        QMessageBox::warning(this, tr("Dialog Editor"),
                             tr("Unable to write the translation template!<br>")
                                 + qstr(describe(e, false)).toHtmlEscaped().replace('\n', "<br>"),
                             QMessageBox::Discard);
    }
}

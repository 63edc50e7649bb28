#include "cqvmvmodelpathcompleter.h"

#include "cqvmvmodelmenu.h"

#include <QLineEdit>
#include <QStandardItemModel>

cQVMVModelPathCompleter::cQVMVModelPathCompleter(vmva::cDVAbstractDataViewMgr *manager,
                                                 vmva::cDVDataViewArgList *parameters,
                                                 QObject *parent)
    : QCompleter(parent), mManager(manager), mParameters(parameters),
      mpCandidates(new QStandardItemModel(this))
{
    setModel(mpCandidates);
    setCaseSensitivity(Qt::CaseSensitive);
    setCompletionMode(QCompleter::PopupCompletion);
}

void cQVMVModelPathCompleter::attach(QLineEdit *edit)
{
    // The line edit completes right after it announced the edit: the candidates are fresh.
    connect(edit, &QLineEdit::textEdited, this, &cQVMVModelPathCompleter::updateCandidates);
    edit->setCompleter(this);
    updateCandidates(edit->text());
}

void cQVMVModelPathCompleter::updateCandidates(const QString &text)
{
    mpCandidates->clear();
    if (!mParameters)
        return;
    const QStringList segments = splitPath(text);
    for (const vmva::cDVDataViewArgList::cArgument *argument : mParameters->arguments()) {
        auto *item = new QStandardItem(qstr(argument->parameterName()));
        item->setEditable(false);
        mpCandidates->appendRow(item);
        if (segments.size() < 2 || segments.first() != item->text())
            continue;
        if (const vmva::cDMDataModel *model = cQVMVModelMenu::parameterModel(*mManager, *argument))
            addChildren(*item, *model, segments, 1);
    }
}

void cQVMVModelPathCompleter::addChildren(QStandardItem &item, const vmva::cDMDataModel &model,
                                          const QStringList &segments, int next)
{
    for (const vmva::cDMDataModel *sub : model.lstModels()) {
        auto *child = new QStandardItem(qstr(sub->name()));
        child->setEditable(false);
        item.appendRow(child);
        // Only the models on the typed path are opened further.
        if (next + 1 < segments.size() && segments.at(next) == child->text())
            addChildren(*child, *sub, segments, next + 1);
    }
    for (const vmva::cAbstractNodeUI *node : model.lstNodes()) {
        auto *child = new QStandardItem(qstr(node->name()));
        child->setEditable(false);
        item.appendRow(child);
    }
}

QStringList cQVMVModelPathCompleter::splitPath(const QString &path) const
{
    return path.split(QLatin1Char('.'));
}

QString cQVMVModelPathCompleter::pathFromIndex(const QModelIndex &index) const
{
    QStringList parts;
    for (QModelIndex i = index; i.isValid(); i = i.parent())
        parts.prepend(i.data().toString());
    return parts.join(QLatin1Char('.'));
}

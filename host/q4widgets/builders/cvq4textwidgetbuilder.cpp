#include "cvq4textwidgetbuilder.h"

#include "q4widgets/cvq4pixmaploader.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

using tAspect = cVQ4VMVElementBuilder::tAspectSet;
using vmva::cDVIAbstractProperty;

template <class W> W *as(QObject &object) { return qobject_cast<W *>(&object); }

QLineEdit::EchoMode echoModeOf(const QString &name)
{
    if (name == QLatin1String("Password"))
        return QLineEdit::Password;
    if (name == QLatin1String("NoEcho"))
        return QLineEdit::NoEcho;
    if (name == QLatin1String("PasswordEchoOnEdit"))
        return QLineEdit::PasswordEchoOnEdit;
    return QLineEdit::Normal;
}

// "Text" of any of the four widgets.
void showText(QObject &o, const QVariant &v)
{
    const QString text = cVQ4VMVElementBuilder::displayText(v);
    if (auto *w = as<QLabel>(o))
        w->setText(text);
    else if (auto *w = as<QAbstractButton>(o))
        w->setText(text);
    else if (auto *w = as<QLineEdit>(o))
        w->setText(text);
}

const tAspect kText{[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                        showText(o, cVQ4VMVElementBuilder::textOf(p));
                    },
                    showText};

const tAspect kLineEditText{kText.apply, showText,
                            [](QObject &o) {
                                auto *w = as<QLineEdit>(o);
                                return w ? QVariant(w->text()) : QVariant();
                            },
                            SIGNAL(editingFinished())};

void setIcon(QObject &o, QObject *, cDVIAbstractProperty &p)
{
    auto *w = as<QAbstractButton>(o);
    if (w && p.pixmapView() && !p.pixmapView()->value().isEmpty())
        w->setIcon(cVQ4PixmapLoader::icon(p.pixmapView()->value()));
}

// A text edit shows HTML when it takes rich text; a node's text that equals the shown one is
// not set again, so that the cursor stays where the user types.
void showEditText(QObject &o, const QVariant &v)
{
    auto *w = as<QTextEdit>(o);
    if (!w)
        return;
    const QString text = cVQ4VMVElementBuilder::displayText(v);
    if (w->acceptRichText()) {
        if (w->toHtml() != text)
            w->setHtml(text);
    } else if (w->toPlainText() != text) {
        w->setPlainText(text);
    }
}

void showChecked(QObject &o, const QVariant &v)
{
    if (auto *w = as<QAbstractButton>(o))
        w->setChecked(v.toBool());
}

// A button's checked state, both ways.
const tAspect kChecked{[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                           showChecked(o, cVQ4VMVElementBuilder::boolOf(p));
                       },
                       showChecked,
                       [](QObject &o) {
                           auto *w = as<QAbstractButton>(o);
                           return w ? QVariant(w->isChecked()) : QVariant();
                       },
                       SIGNAL(toggled(bool))};

} // namespace

cVQ4TextWidgetBuilder::cVQ4TextWidgetBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    switch (kind) {
    case Label:
        addAspect("Text", kText);
        addAspect("Alignment", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QLabel>(o))
                          w->setAlignment(Qt::Alignment(int(intOf(p))));
                  }});
        addAspect("WordWrap", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QLabel>(o))
                          w->setWordWrap(boolOf(p));
                  }});
        addFrameAspects();
        break;
    case PushButton:
        addAspect("Text", kText);
        addAspect("Icon", {setIcon});
        // Before "Checked", which a button that cannot be checked ignores.
        addAspect("Checkable", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QAbstractButton>(o))
                          w->setCheckable(boolOf(p));
                  }});
        addAspect("Checked", kChecked);
        // Any click counts; the command node is triggered, a value node gets "true".
        addAspect("Command", {nullptr, nullptr, [](QObject &) { return QVariant(true); },
                              SIGNAL(clicked())});
        break;
    case RadioButton:
    case CheckBox:
        addAspect("Text", kText);
        addAspect("Checked", kChecked);
        break;
    case LineEdit:
        addAspect("Text", kLineEditText);
        addAspect("EchoMode", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QLineEdit>(o))
                          w->setEchoMode(echoModeOf(textOf(p)));
                  }});
        addAspect("MaxLength", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QLineEdit>(o))
                          w->setMaxLength(int(std::clamp<__int64>(intOf(p), 1, 32767)));
                  }});
        addAspect("ReadOnly", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                                   if (auto *w = as<QLineEdit>(o))
                                       w->setReadOnly(boolOf(p));
                               },
                               [](QObject &o, const QVariant &v) {
                                   if (auto *w = as<QLineEdit>(o))
                                       w->setReadOnly(v.toBool());
                               }});
        break;
    case TextEdit:
        addAspect("Text", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                               showEditText(o, textOf(p));
                           },
                           showEditText,
                           [](QObject &o) {
                               auto *w = as<QTextEdit>(o);
                               if (!w)
                                   return QVariant();
                               return QVariant(w->acceptRichText() ? w->toHtml()
                                                                   : w->toPlainText());
                           },
                           SIGNAL(textChanged())});
        addAspect("ReadOnly", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                                   if (auto *w = as<QTextEdit>(o))
                                       w->setReadOnly(boolOf(p));
                               },
                               [](QObject &o, const QVariant &v) {
                                   if (auto *w = as<QTextEdit>(o))
                                       w->setReadOnly(v.toBool());
                               }});
        break;
    }
}

QObject *cVQ4TextWidgetBuilder::create(vmva::cDVAbstractStdDMViewProperties *properties,
                                       QObject *parent, cVQ4VMVBuildContext &context) const
{
    QWidget *owner = widgetOf(parent);
    QWidget *widget = nullptr;
    switch (mKind) {
    case Label: widget = new QLabel(owner); break;
    case PushButton: widget = new QPushButton(owner); break;
    case RadioButton: widget = new QRadioButton(owner); break;
    case CheckBox: widget = new QCheckBox(owner); break;
    case LineEdit: widget = new QLineEdit(owner); break;
    case TextEdit: {
        auto *edit = new QTextEdit(owner);
        // Whether the text is HTML decides how it is shown and read, so it comes first.
        edit->setAcceptRichText(intOf(properties, "RichText", 0) != 0);
        widget = edit;
        break;
    }
    }
    if (!placeWidget(*widget, parent, context)) {
        delete widget;
        return nullptr;
    }
    return widget;
}

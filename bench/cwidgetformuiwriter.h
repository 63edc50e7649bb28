#pragma once

#include "cwidgetformdescription.h"

#include <QXmlStreamWriter>

// Writes a described widget tree as a Qt Designer document, with the typed property elements
// QUiLoader reads.
class cWidgetFormUiWriter
{
public:
    static QByteArray document(const cWidgetFormDescription::tWidgetNode &root);

private:
    explicit cWidgetFormUiWriter(QByteArray &out) : mXml(&out) {}

    void begin(const char *name, const char *type = nullptr);
    void end(bool typed = true);
    void string(const char *name, const QString &value);
    void number(const char *name, int value);
    void real(const char *name, double value);
    void boolean(const char *name, bool value);
    void enumeration(const char *name, const QString &value, bool isSet = false);
    void size(const char *name, QSize value);
    void dateTime(const char *name, const QDateTime &value);
    void font(const QFont &value);
    void sizePolicy(const QSizePolicy &value);
    void items(const QStringList &texts);

    void widget(const cWidgetFormDescription::tWidgetNode &node);
    // The values of a widget's own class.
    void values(const cWidgetFormDescription::tWidgetNode &node);
    void layout(const cWidgetFormDescription::tLayoutNode &node);

    QXmlStreamWriter mXml;
    int mSpacers = 0;
};

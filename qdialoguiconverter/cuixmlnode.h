#pragma once

#include "vellcore/cstring.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// One element of a parsed ".ui" document with its attributes, text, children and position,
// read under the limits every document reader keeps.
class cUiXmlNode
{
public:
    QString tag;
    std::vector<std::pair<QString, QString>> attributes;
    QString text;
    std::vector<cUiXmlNode> children;
    int line = 0;
    int column = 0;

    // The attribute's value, `fallback` when it is missing.
    QString attribute(const char *name, const QString &fallback = QString()) const;
    bool hasAttribute(const char *name) const;
    // The first child with that tag, or null.
    const cUiXmlNode *child(const char *tag) const;
    // The text of the first child with that tag, empty when there is none.
    QString childText(const char *tag) const;

    // Parses `data`; throws a cRuntimeException naming `source`, the line and the column of a
    // malformed or oversized input.
    static cUiXmlNode parse(const QByteArray &data, const vucs::cString &source);
    // Throws the refusal of `source` at the node's position.
    [[noreturn]] static void refuse(const vucs::cString &source, int line, int column,
                                    const QString &reason);
};

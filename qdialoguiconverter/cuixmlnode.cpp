#include "cuixmlnode.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/cdocumentlimits.h"
#include "vellcore/climessage.h"
#include "vellcore/cxmlinputcheck.h"

#include <QXmlStreamReader>

QString cUiXmlNode::attribute(const char *name, const QString &fallback) const
{
    for (const auto &a : attributes) {
        if (a.first == QLatin1String(name))
            return a.second;
    }
    return fallback;
}

bool cUiXmlNode::hasAttribute(const char *name) const
{
    for (const auto &a : attributes) {
        if (a.first == QLatin1String(name))
            return true;
    }
    return false;
}

const cUiXmlNode *cUiXmlNode::child(const char *name) const
{
    for (const cUiXmlNode &c : children) {
        if (c.tag == QLatin1String(name))
            return &c;
    }
    return nullptr;
}

QString cUiXmlNode::childText(const char *name) const
{
    const cUiXmlNode *c = child(name);
    return c ? c->text : QString();
}

void cUiXmlNode::refuse(const vucs::cString &source, int line, int column, const QString &reason)
{
    const QString position = column > 0 ? QStringLiteral("line %1, column %2").arg(line).arg(column)
                                        : QStringLiteral("line %1").arg(line);
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Unable to read %file% at %position%: %reason%!")
                   << source << position << reason);
}

cUiXmlNode cUiXmlNode::parse(const QByteArray &data, const vucs::cString &source)
{
    using Limits = vsa::cDocumentLimits;
    if (data.size() > Limits::maxDocumentSize)
        refuse(source, 1, 0, QStringLiteral("larger than %1 MiB, the most a document may take")
                                 .arg(Limits::maxDocumentSize / (1024 * 1024)));
    // A picture or an archive opened by mistake is no XML at all.
    const QByteArray start = data.left(4096).trimmed();
    if (!start.startsWith('<') && !start.startsWith("\xEF\xBB\xBF"))
        refuse(source, 1, 1, QStringLiteral("not a form document: no XML found"));
    vsa::cXmlInputCheck::tFaultSet fault;
    if (!vsa::cXmlInputCheck::check(data, fault))
        refuse(source, int(fault.line), int(fault.column), fault.reason);

    const quint32 maxEntries = Limits::maxEntries(data.size(), Limits::xmlBytesPerEntry);
    quint32 entries = 0;
    QXmlStreamReader reader(data);
    cUiXmlNode root;
    std::vector<cUiXmlNode *> open;
    const auto fail = [&](const QString &reason) {
        refuse(source, int(reader.lineNumber()), int(qMax<qint64>(1, reader.columnNumber())),
               reason);
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (++entries > maxEntries)
                fail(QStringLiteral("more than %1 entries").arg(maxEntries));
            if (open.size() >= size_t(Limits::maxDepth))
                fail(QStringLiteral("contexts nested more than %1 deep").arg(Limits::maxDepth));
            cUiXmlNode *node;
            if (open.empty()) {
                if (!root.tag.isEmpty())
                    fail(QStringLiteral("a second document element"));
                node = &root;
            } else {
                open.back()->children.emplace_back();
                node = &open.back()->children.back();
            }
            node->tag = reader.name().toString();
            node->line = int(reader.lineNumber());
            node->column = int(reader.columnNumber());
            for (const QXmlStreamAttribute &a : reader.attributes())
                node->attributes.emplace_back(a.name().toString(), a.value().toString());
            open.push_back(node);
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty()) {
                QString &text = open.back()->text;
                if (text.size() + reader.text().size() > Limits::maxTextLength)
                    fail(QStringLiteral("text longer than %1 characters")
                             .arg(Limits::maxTextLength));
                text += reader.text();
            }
            break;
        case QXmlStreamReader::DTD:
            fail(QStringLiteral("a document type declaration"));
        default:
            break;
        }
    }
    if (reader.hasError())
        fail(reader.errorString());
    if (root.tag.isEmpty())
        refuse(source, 1, 1, QStringLiteral("not a form document: no XML found"));
    return root;
}

#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace vsa {

// A check of an "XML-Config" input in one pass over its bytes, before an XML parser sees it:
// the bytes are UTF-8, no document type is declared, and no name, attribute, tag, text, comment
// or processing instruction is longer than cDocumentLimits allows. The XML parser then never
// holds more than a bounded piece of text at once, and each refusal names the line and column
// where the fault begins. Everything else about the input is left to the parser.
class cXmlInputCheck
{
public:
    struct tFaultSet
    {
        quint32 line = 0;
        quint32 column = 0;
        QString reason;
    };

    // The text of a byte value, as offsets into the input.
    struct tRunSet
    {
        qsizetype begin, end;
    };

    // True when `data` passes; else false with `fault` filled. The texts of byte values of at
    // least longRun characters are added to `longByteRuns` (checked to be base64), so that a
    // reader can decode them from the input instead of through the XML parser.
    static bool check(const QByteArray &data, tFaultSet &fault,
                      std::vector<tRunSet> *longByteRuns = nullptr);

    static constexpr qsizetype longRun = 64 * 1024;
    // Most attributes in one tag (the format uses three).
    static constexpr int maxAttributes = 8;
    // Longest tag in characters, attributes included.
    static constexpr int maxTagLength = 16384;
    // How much longer than its plain text an escaped name or text may be ("\uHHHH").
    static constexpr int escapeGrowth = 6;
};

} // namespace vsa

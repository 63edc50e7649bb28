#include "cdvabstractdataviewmgr.h"

namespace vmva {

namespace {

bool isPathCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
           || c == '$' || c == '(' || c == ')' || c == '.';
}

} // namespace

void cDVAbstractDataViewMgr::splitPath(const vstd::cAsciiString &text, vstd::cAsciiString &first,
                                       vstd::cAsciiString &rest)
{
    for (int i = 0; i < text.size(); ++i) {
        if (!isPathCharacter(text[i]))
            VELL_THROW(vstd::cRuntimeException,
                       vucs::cLIMessage("$VTR$Invalid character in model path \"%path%\"!")
                           << text);
    }
    const int dot = text.find('.');
    if (dot < 0)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Model path \"%path%\" lacks a \".\"!") << text);
    first = text.left(dot);
    rest = text.mid(dot + 1);
}

} // namespace vmva

#include "cdocumentcopy.h"

namespace vsa {

void cDocumentCopy::copyRest(cAbstractDeserializer &from, cAbstractSerializer &to)
{
    // An empty label reads the entry at the cursor, whatever its label.
    const vstd::cAsciiString next;
    for (auto kind = from.nextEntryKind(); kind != cAbstractDeserializer::NoEntry;
         kind = from.nextEntryKind()) {
        to.setLabel(from.nextEntryLabel());
        switch (kind) {
        case cAbstractDeserializer::ContextEntry:
            to.beginContext(from.contextName(next));
            from.beginContext(next);
            copyRest(from, to);
            from.endContext();
            to.endContext();
            break;
        case cAbstractDeserializer::AsciiEntry:
            to.writeAscii(from.readAscii(next));
            break;
        case cAbstractDeserializer::StringEntry:
            to.writeString(from.readString(next));
            break;
        case cAbstractDeserializer::UIntEntry:
            to.writeUInt(from.readUInt(next));
            break;
        case cAbstractDeserializer::Int64Entry:
            to.writeInt64(from.readInt64(next));
            break;
        case cAbstractDeserializer::BoolEntry:
            to.writeBool(from.readBool(next));
            break;
        case cAbstractDeserializer::DoubleEntry:
            to.writeDouble(from.readDouble(next));
            break;
        case cAbstractDeserializer::BytesEntry:
            to.writeBytes(from.readBytes(next));
            break;
        case cAbstractDeserializer::NoEntry:
            break;
        }
    }
}

} // namespace vsa

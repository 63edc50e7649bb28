#include "cfaultline.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

struct tPositionSet
{
    QString text;   // as the message has it: "line 3, column 7"
    QString line;
    QString column;
};

// The position a message names, as the whole value of a placeholder ("line 3, column 7") or at
// the end of one ("FILE, line 3, column 7").
bool positionOf(const vucs::cLIMessage &message, tPositionSet &position)
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:^|, )(line (\\d+)(?:, column (\\d+))?)$"));
    for (const QString &argument : message.arguments()) {
        const QRegularExpressionMatch match = pattern.match(argument);
        if (match.hasMatch()) {
            position = {match.captured(1), match.captured(2), match.captured(3)};
            return true;
        }
    }
    return false;
}

} // namespace

QString cFaultLine::format(const vstd::cAbstractException &e, const QString &file)
{
    std::vector<const vstd::cAbstractException *> chain;
    for (const vstd::cAbstractException *c = &e; c; c = c->cause())
        chain.push_back(c);
    tPositionSet position;
    bool found = false;
    for (auto c = chain.rbegin(); c != chain.rend() && !found; ++c)
        found = positionOf((*c)->message(), position);
    if (!found) {
        // No position to name: the whole chain, outermost first, as the editor shows it.
        QStringList messages;
        for (const vstd::cAbstractException *c : chain)
            messages << c->message().toQString();
        return file + QStringLiteral(": ") + messages.join(QStringLiteral("; "));
    }
    // The messages name the place as "FILE at POSITION" or "FILE, POSITION".
    QString reason = chain.back()->message().toQString();
    const QString at = file + QStringLiteral(" at ") + position.text;
    const QString comma = file + QStringLiteral(", ") + position.text;
    const QString read = QStringLiteral("Unable to read ");
    for (const QString &repeated :
         {read + at + QStringLiteral(": "), read + comma + QStringLiteral(": "),
          read + file + QStringLiteral(": "), QStringLiteral(" in ") + at,
          QStringLiteral(" in ") + comma, QStringLiteral(" at ") + comma,
          QStringLiteral(" at ") + position.text, comma})
        reason.remove(repeated);
    // A reason of the XML reader ends with its own full stop.
    if (reason.endsWith(QLatin1String(".!")))
        reason.chop(1);
    QString where = file + QLatin1Char(':') + position.line;
    if (!position.column.isEmpty())
        where += QLatin1Char(':') + position.column;
    return where + QStringLiteral(": ") + reason;
}

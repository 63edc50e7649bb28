#include "cuiobjectnames.h"

namespace {

bool isKeyword(const QString &name)
{
    static const QSet<QString> keywords = {
        "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
        "case", "catch", "char", "char16_t", "char32_t", "class", "compl", "const", "constexpr",
        "const_cast", "continue", "decltype", "default", "delete", "do", "double",
        "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
        "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new",
        "noexcept", "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private",
        "protected", "public", "register", "reinterpret_cast", "return", "short", "signed",
        "sizeof", "static", "static_assert", "static_cast", "struct", "switch", "template",
        "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename",
        "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor",
        "xor_eq", "signals", "slots", "emit", "foreach"};
    return keywords.contains(name);
}

} // namespace

cUiObjectNames::cUiObjectNames()
    // Names the generated class or the form format already use.
    : mTaken{"separator", "setupUi", "retranslateUi"}
{
}

QString cUiObjectNames::take(const QString &wanted, const QString &fallback)
{
    QString name;
    name.reserve(wanted.size());
    for (QChar c : wanted) {
        const bool ascii = c.unicode() < 128;
        name += ascii && (c.isLetterOrNumber() || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    }
    // Only underscores left: nothing of the wanted name survived.
    if (name.count(QLatin1Char('_')) == name.size())
        name = fallback;
    if (name.front().isDigit())
        name.prepend(QLatin1Char('_'));
    if (isKeyword(name))
        name += QLatin1Char('_');
    QString unique = name;
    for (int n = 2; mTaken.contains(unique); ++n)
        unique = QStringLiteral("%1_%2").arg(name).arg(n);
    mTaken.insert(unique);
    return unique;
}

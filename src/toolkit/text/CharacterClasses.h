#pragma once
// The character classes the form language, the RTF reader and component
// names share: ASCII letters and digits only, whatever Unicode calls a letter,
// so that a name reads the same in every locale.

#include <QChar>
#include <QStringView>
#include <algorithm>

namespace tk {

constexpr bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

constexpr bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// 0 to 15 for a hexadecimal digit of either case, -1 for anything else.
constexpr int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

constexpr bool isHexDigit(QChar c) { return hexValue(c) >= 0; }

constexpr bool isIdentifierStart(QChar c) { return isAsciiLetter(c) || c == u'_'; }

constexpr bool isIdentifierPart(QChar c) { return isIdentifierStart(c) || isDigit(c); }

// A name as a form description writes it: a letter or '_', then letters,
// digits and '_'.
inline bool isIdentifier(QStringView text)
{
    return !text.isEmpty() && isIdentifierStart(text.front()) && std::all_of(text.begin() + 1, text.end(), isIdentifierPart);
}

}

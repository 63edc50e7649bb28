#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <cstring>
#include <string>

namespace vstd {

// The host's 8-bit string: names, keys, element and property names, paths inside documents.
class cAsciiString
{
public:
    cAsciiString() = default;
    cAsciiString(const char *text) : mData(text) {}
    cAsciiString(const char *text, int size) : mData(text, size) {}
    cAsciiString(const std::string &text) : mData(text.data(), int(text.size())) {}
    explicit cAsciiString(const QByteArray &bytes) : mData(bytes) {}
    // Over a text that lives as long as the program (a literal): made and copied without
    // allocating, as labels and names written over and over are.
    static cAsciiString fromStatic(const char *text)
    {
        cAsciiString s;
        s.mData = QByteArray::fromRawData(text, qstrlen(text));
        return s;
    }

    const char *c_str() const { return mData.constData(); }
    const char *data() const { return mData.constData(); }
    int size() const { return int(mData.size()); }
    int length() const { return size(); }
    bool empty() const { return mData.isEmpty(); }
    bool isEmpty() const { return mData.isEmpty(); }
    char operator[](int i) const { return mData.at(i); }
    void clear() { mData.clear(); }

    const QByteArray &bytes() const { return mData; }
    std::string toStdString() const { return mData.toStdString(); }

    int find(char c, int from = 0) const { return int(mData.indexOf(c, from)); }
    int find(const cAsciiString &s, int from = 0) const
    {
        return int(mData.indexOf(s.mData, from));
    }
    cAsciiString left(int n) const { return cAsciiString(mData.left(n)); }
    cAsciiString mid(int pos, int n = -1) const { return cAsciiString(mData.mid(pos, n)); }
    bool startsWith(const cAsciiString &s) const { return mData.startsWith(s.mData); }

    cAsciiString &operator+=(const cAsciiString &o) { mData += o.mData; return *this; }
    cAsciiString &operator+=(char c) { mData += c; return *this; }
    friend cAsciiString operator+(cAsciiString a, const cAsciiString &b) { return a += b; }

    // Names are compared often and are short: shared texts are equal without a look.
    friend bool operator==(const cAsciiString &a, const cAsciiString &b)
    {
        const qsizetype size = a.mData.size();
        return size == b.mData.size()
               && (a.mData.constData() == b.mData.constData()
                   || std::memcmp(a.mData.constData(), b.mData.constData(), size_t(size)) == 0);
    }
    friend bool operator!=(const cAsciiString &a, const cAsciiString &b) { return !(a == b); }
    friend bool operator<(const cAsciiString &a, const cAsciiString &b)
    {
        return a.mData < b.mData;
    }

private:
    QByteArray mData;
};

inline size_t qHash(const cAsciiString &s, size_t seed = 0) { return ::qHash(s.bytes(), seed); }

// The upper-case form of an ASCII letter; every other character unchanged, whatever the locale.
inline char upperCase(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

} // namespace vstd

#include "common/TextUtil.h"

namespace {
inline char16_t foldUp(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }
} // namespace

QStringView trimBlanksView(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString trimBlanks(QStringView s)
{
    return trimBlanksView(s).toString();
}

QString upperAZ(QStringView s)
{
    QString out = s.toString();
    for (QChar &c : out)
        c = QChar(foldUp(c.unicode()));
    return out;
}

QString lowerAZ(QStringView s)
{
    QString out = s.toString();
    for (QChar &c : out)
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    return out;
}

QString fitText(QStringView s, int n)
{
    QString t = trimBlanks(s);
    if (t.size() > n)
        t.truncate(n);
    else if (t.size() < n)
        t.append(QString(n - t.size(), QLatin1Char(' ')));
    return t;
}

int compareFoldedAZ(QStringView a, QStringView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = foldUp(a[i].unicode());
        const char16_t y = foldUp(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

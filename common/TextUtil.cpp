#include "common/TextUtil.h"

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
        c = QChar(foldUpAZ(c.unicode()));
    return out;
}

QString lowerAZ(QStringView s)
{
    QString out = s.toString();
    for (QChar &c : out)
        c = QChar(foldDownAZ(c.unicode()));
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
        const char16_t x = foldUpAZ(a[i].unicode());
        const char16_t y = foldUpAZ(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

#include "common/OpenURL.h"

#include "common/TestSeam.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace {
TMisc::TestHook &hook()
{
    return TestSeam<TMisc::TestHook>::hook();
}
} // namespace

QUrl TMisc::urlFor(const QString &sCommand)
{
    QString text = sCommand.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(text);
}

void TMisc::Open(const QString &sCommand)
{
    if (hook()) {
        hook()(sCommand);
        return;
    }
    QDesktopServices::openUrl(urlFor(sCommand)); // the result is deliberately ignored
}

void TMisc::setTestHook(TestHook h)
{
    TestSeam<TestHook>::set(std::move(h));
}

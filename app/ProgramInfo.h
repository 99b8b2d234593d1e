#pragma once

#include <QString>

// Who makes the program and where to reach them: shown in the credits, the banner and the links.
namespace ProgramInfo {

inline QString productName()
{
    return QStringLiteral("Corvalla");
}
inline QString makerCredit()
{
    return QStringLiteral("realizzato da Corvalla Software");
}
inline QString webAddress()
{
    return QStringLiteral("https://www.corvalla.it");
}
inline QString contactEmail()
{
    return QStringLiteral("info@corvalla.it");
}

} // namespace ProgramInfo

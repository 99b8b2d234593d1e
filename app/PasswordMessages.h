#pragma once

#include <QString>

// The messages of the two password windows, all shown in plain boxes with one OK button.
namespace PasswordMessages {

inline QString wrongPassword()
{
    return QStringLiteral("Attenzione: password errata.");
}
inline QString readError()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                          "password. Si consiglia di reinstallare il software.");
}
inline QString wrongOldPassword()
{
    return QStringLiteral("Attenzione: vecchia password errata.");
}
inline QString notConfirmed()
{
    return QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                          "necessario reinserire entrambi i valori.");
}
inline QString changeDone()
{
    return QStringLiteral("Modifica della password completata con successo.");
}
inline QString changeError()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                          "password. Si consiglia di reinstallare il software.");
}

} // namespace PasswordMessages

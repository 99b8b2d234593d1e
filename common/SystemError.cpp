#include "common/SystemError.h"

#include <cerrno>

namespace SystemError {

namespace {

struct Cause
{
    int number;
    const char *text; // UTF-8
};

// The causes a file operation of this program can meet. EWOULDBLOCK comes only from the program's
// own file locks, which give up after a wait while another copy of the program holds the file.
const Cause kCauses[] = {
    {ENOSPC, "Spazio esaurito sul disco"},
    {EDQUOT, "Quota del disco superata"},
    {EFBIG, "File troppo grande"},
    {EACCES, "Permesso negato"},
    {EPERM, "Operazione non permessa"},
    {EROFS, "Disco in sola lettura"},
    {ENOENT, "File o cartella inesistente"},
    {ENOTDIR, "Un elemento del percorso non è una cartella"},
    {EISDIR, "Al posto del file c'è una cartella"},
    {EEXIST, "Il file esiste già"},
    {ENOTEMPTY, "La cartella non è vuota"},
    {EIO, "Errore di lettura o scrittura sul disco"},
    {ENOMEM, "Memoria insufficiente"},
    {EMFILE, "Troppi file aperti"},
    {ENFILE, "Troppi file aperti nel sistema"},
    {ENAMETOOLONG, "Nome del file troppo lungo"},
    {ELOOP, "Troppi collegamenti simbolici nel percorso"},
    {EMLINK, "Troppi collegamenti al file"},
    {EXDEV, "Il file si trova su un altro disco"},
    {EBUSY, "Il file o il disco è occupato"},
    {ETXTBSY, "Il file è in uso"},
    {EWOULDBLOCK, "Il file è occupato da un'altra copia del programma"},
    {ENOLCK, "Il sistema non ha più blocchi dei file disponibili"},
    {EINTR, "Operazione interrotta"},
    {EINVAL, "Operazione non valida per questo file"},
    {EBADF, "File non aperto correttamente"},
    {ENODEV, "Dispositivo inesistente"},
    {ENXIO, "Dispositivo inesistente"},
    {ESTALE, "Il file non è più disponibile sul disco di rete"},
    {ETIMEDOUT, "Il disco non ha risposto in tempo"},
    {EOPNOTSUPP, "Operazione non supportata dal disco"},
    {ENOTCONN, "Il disco di rete non è collegato"},
    {EUCLEAN, "La struttura del disco è danneggiata"},
};

} // namespace

QString text(int number)
{
    if (number == 0)
        return QStringLiteral("Operazione non completata");
    for (const Cause &cause : kCauses)
        if (cause.number == number)
            return QString::fromUtf8(cause.text);
    return QStringLiteral("Causa indicata dal sistema con il numero %1").arg(number);
}

bool isDiskFull(int number)
{
    return number == ENOSPC || number == EDQUOT || number == EFBIG;
}

QString diskFullAdvice(const QString &again)
{
    return QStringLiteral("Lo spazio sul disco è esaurito: liberare spazio e ripetere ") + again +
           QLatin1Char('.');
}

QString writeAdvice(int number, const QString &again)
{
    if (isDiskFull(number))
        return diskFullAdvice(again);
    return QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
                          "del programma.");
}

} // namespace SystemError

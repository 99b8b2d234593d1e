#pragma once

#include <QString>
#include <functional>

class QWidget;

// Open-file and save-file dialogs. Filters are written as the program's windows state them:
// pairs of description and patterns separated by "|", e.g.
// "Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp".
namespace FileDialogs {

struct Request
{
    enum class Kind
    {
        Open,
        Save
    } kind = Kind::Open;
    QString title;
    QString filter;       // in the "|" form above
    QString proposedName; // save dialogs only
};

// The chosen path, or an empty text when the user cancels.
QString getOpenFileName(QWidget *parent, const QString &title, const QString &filter);
// The save dialog asks before replacing an existing file.
QString getSaveFileName(QWidget *parent, const QString &title, const QString &filter,
                        const QString &proposedName);

// The same filter in Qt's form: "Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)".
QString toQtFilter(const QString &filter);

// Test seam: when set, no dialog is shown; the hook gets the request and returns the path.
using TestHook = std::function<QString(const Request &request)>;
void setTestHook(TestHook hook);

} // namespace FileDialogs

#include "common/FileDialogs.h"

#include "common/TestSeam.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QTreeView>

namespace FileDialogs {

namespace {

// The dialog's file list in the program's language: Qt's own file model writes the modification
// date in the system's locale ("10 Dec"), whatever language the program speaks.
class ItalianDates : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (files && role == Qt::DisplayRole && index.column() == kDateColumn) {
            const QDateTime modified = files->lastModified(mapToSource(index));
            return QLocale(QLocale::Italian, QLocale::Italy)
                .toString(modified, QStringLiteral("dd/MM/yyyy HH:mm"));
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kDateColumn = 3;
};

// Column headings as wide as their Italian words ("Dimensione", "Data di modifica"), margins and
// sort mark included, so that none is cut.
void fitHeaders(QFileDialog &dialog)
{
    for (QTreeView *view : dialog.findChildren<QTreeView *>()) {
        QHeaderView *header = view->header();
        for (int i = 0; i < header->count(); ++i)
            header->resizeSection(i, qMax(header->sectionSize(i), header->sectionSizeHint(i)));
    }
}

TestHook &hook()
{
    return TestSeam<TestHook>::hook();
}

QString run(QWidget *parent, const Request &r)
{
    if (hook())
        return hook()(r);
    QFileDialog dialog(parent, r.title, QString(), toQtFilter(r.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new ItalianDates(&dialog));
    dialog.setObjectName(r.kind == Request::Kind::Open ? QStringLiteral("dlgApri")
                                                       : QStringLiteral("dlgSalva"));
    if (r.kind == Request::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(r.proposedName);
        // Take the suffix of the first pattern, so that "Foto" is saved as "Foto.jpg".
        const qsizetype dot = r.filter.indexOf(QStringLiteral("*."));
        if (dot >= 0) {
            QString suffix = r.filter.mid(dot + 2);
            suffix = suffix.left(suffix.indexOf(QRegularExpression(QStringLiteral("[^A-Za-z0-9]"))));
            dialog.setDefaultSuffix(suffix);
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // Once the dialog has laid itself out on screen.
    QTimer::singleShot(0, &dialog, [&dialog] { fitHeaders(dialog); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        out.append(description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

QString getOpenFileName(QWidget *parent, const QString &title, const QString &filter)
{
    return run(parent, {Request::Kind::Open, title, filter, QString()});
}

QString getSaveFileName(QWidget *parent, const QString &title, const QString &filter,
                        const QString &proposedName)
{
    return run(parent, {Request::Kind::Save, title, filter, proposedName});
}

void setTestHook(TestHook h)
{
    TestSeam<TestHook>::set(std::move(h));
}

} // namespace FileDialogs

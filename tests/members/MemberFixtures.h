#pragma once

// Member archives written straight to disk, without the program's own writing code, and a photo
// put on the member sheet the way the user puts one there.
#include "TestSupport.h"
#include "common/FileDialogs.h"
#include "records/MemberArchive.h"
#include "records/MemberRecord.h"

#include <QDir>
#include <QImage>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QToolButton>
#include <QtTest>

namespace MemberFixtures {

using FieldTexts = QList<QPair<Member::Field, QString>>;

// A member with `name` and the given fields; the rest empty.
inline Member::Record member(const QString &name, const FieldTexts &fields = {})
{
    Member::Record r;
    r[Member::Tiratore] = name;
    for (const auto &f : fields)
        r[f.first] = f.second;
    return r;
}

// The archive holding `records` in this order, then `tail` extra bytes.
inline void writeArchive(const QList<Member::Record> &records, const QByteArray &tail = {})
{
    QByteArray bytes;
    for (const Member::Record &r : records)
        bytes += Member::encode(r);
    writeFile(MemberArchive::filePath(), bytes + tail);
}

// The names at the start of the list lines, in list order.
inline QStringList namesOf(const QStringList &lines)
{
    QStringList names;
    for (const QString &l : lines)
        names.append(l.left(30).trimmed());
    return names;
}

// Puts `photo` on the member sheet `sheet` with its "Carica" button, the file dialog answered with
// a bitmap of the photo written in `folder`. No file dialog hook is left set.
inline void loadPhoto(QWidget *sheet, const QImage &photo, const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("foto_da_caricare.bmp"));
    QVERIFY(photo.save(path, "BMP"));
    FileDialogs::setTestHook([path](const FileDialogs::Request &) { return path; });
    sheet->findChild<QToolButton *>(QStringLiteral("btnCaricaFoto"))->click();
    FileDialogs::setTestHook(nullptr);
}

} // namespace MemberFixtures

#include "common/RecordTable.h"

#include "common/HugePages.h"
#include "common/MappedCopy.h"
#include "common/RecordFile.h"

#include <QVarLengthArray>
#include <QtGlobal>

namespace {

quint64 cellKey(int row, int column)
{
    return (quint64(quint32(row)) << 16) | quint64(quint16(column));
}

} // namespace

RecordTable::RecordTable(const RecordLayout &layout, QList<Column> columns, int blankRows, QObject *parent)
    : QAbstractTableModel(parent), m_layout(layout), m_columns(std::move(columns)), m_blankRows(blankRows)
{
}

RecordBlock::RecordBlock(QByteArray bytes)
{
    auto held = std::make_shared<QByteArray>(std::move(bytes));
    m_size = held->size();
    m_data = std::shared_ptr<const char>(held, held->constData());
}

void RecordTable::setRecords(RecordBlock records)
{
    beginResetModel();
    const qint64 size = m_layout.recordSize();
    m_count = size > 0 ? records.size() / size : 0;
    m_records = std::move(records);
    m_changed.clear();
    m_unreadable = false;
    endResetModel();
}

int RecordTable::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_count > 0 ? int(m_count) : m_blankRows;
}

int RecordTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString RecordTable::text(int row, int column) const
{
    if (row < 0 || column < 0 || column >= m_columns.size())
        return QString();
    const auto changed = m_changed.constFind(cellKey(row, column));
    if (changed != m_changed.cend())
        return *changed;
    if (row >= m_count)
        return QString(); // an empty starting row
    const int field = m_columns[column].field;
    if (field < 0)
        return QString::number(qint64(row) + 1);
    const char *record = m_records.data() + qint64(row) * m_layout.recordSize();
    if (!m_records.isMapped())
        return decodeField(m_layout, record, field);
    const FieldSpec &f = m_layout.field(field);
    QVarLengthArray<char, 256> bytes(f.width + 1); // the length byte and the text
    if (!copyFromMapping(bytes.data(), record + f.offset, size_t(f.width) + 1)) {
        m_unreadable = true;
        return QString();
    }
    return decodeFixedText(bytes.constData(), f.width);
}

QVariant RecordTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return text(index.row(), index.column());
}

bool RecordTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_columns[index.column()].editable)
        return false;
    m_changed.insert(cellKey(index.row(), index.column()), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags RecordTable::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_columns[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant RecordTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns[section].header;
    return QAbstractTableModel::headerData(section, orientation, role);
}

namespace {
// The records read into memory, for a file that cannot be mapped.
bool readIntoMemory(const RecordFile &f, qint64 total, RecordBlock &records, ReadProgress *progress)
{
    const int size = f.recordSize();
    QByteArray bytes(qsizetype(total * size), Qt::Uninitialized);
    preferHugePages(bytes.data(), bytes.size());
    // About 4 MB per read: few calls, and room for the window to show how far it has come.
    const qint64 block = qMax<qint64>(1, (4 << 20) / size);
    qint64 read = 0;
    bool whole = true;
    while (read < total) {
        if (progress && progress->cancelled)
            break;
        const qint64 want = qMin(block, total - read);
        const qint64 got = f.readInto(read, want, bytes.data() + read * size);
        if (got > 0)
            read += got;
        if (got < want) { // a read error, or the file shrank meanwhile
            whole = false;
            break;
        }
        if (progress)
            progress->done = read;
    }
    bytes.truncate(qsizetype(read * size));
    records = RecordBlock(std::move(bytes));
    return whole;
}
} // namespace

bool readRecords(const RecordArchive &archive, RecordBlock &records, ReadProgress *progress)
{
    records = RecordBlock();
    RecordFile f(archive.path(), archive.layout().recordSize());
    if (!f.open(RecordFile::Access::Read))
        return false;
    const qint64 total = f.count();
    if (total < 0)
        return false;
    if (progress)
        progress->total = total;
    if (progress && progress->cancelled)
        return true;
    if (std::shared_ptr<const char> mapped = f.mapLasting(total)) {
        records = RecordBlock(std::move(mapped), qsizetype(total * f.recordSize()));
        if (progress)
            progress->done = total;
        return true;
    }
    return readIntoMemory(f, total, records, progress);
}

#pragma once

#include "records/ReceiptRecord.h"
#include "reports/SearchWindow.h"

#include <functional>

// The receipt search over the year file open in the receipt window: up to ten criteria, the
// receipts found listed in file order, and a double click that hands exactly the receipt of its
// row to the opener. Opened with the caller context "ricevuta"; with any other context a double
// click hands nothing over.
class TfrmTrovaRic : public SearchWindow
{
    Q_OBJECT
public:
    // Receives the receipt chosen: its 0-based index in the year file and its fields, trimmed.
    using OpenReceipt = std::function<void(qint64 index, const Receipt::Record &receipt)>;

    explicit TfrmTrovaRic(QWidget *parent = nullptr);

    void setYearFilePath(const QString &path) { m_yearFile = path; }
    const QString &yearFilePath() const { return m_yearFile; }
    void setOpenReceipt(OpenReceipt open) { m_openReceipt = std::move(open); }

protected:
    bool findRows(const QStringList &texts, KeptRows &rows) override;
    QString archivePath() const override;
    // Reads the receipt at `index` and hands it over; a receipt that cannot be read opens nothing.
    void openRow(qint64 index) override;

private:
    QString m_yearFile;
    OpenReceipt m_openReceipt;
};

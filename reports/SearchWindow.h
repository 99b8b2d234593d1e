#pragma once

#include "common/ListLines.h"
#include "reports/ListPanel.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class BackgroundWork;
class QLabel;
class QLineEdit;
class QPushButton;

// A search window (member search, receipt search): the criteria page panAvvio with its entry
// fields, highlight bands and Enter ring, "Chiudi" (btnAnnulla), "Cerca" (btnCerca) and the wait
// text lblAttendere; then, in the same place, the results page panContainer (the shared list). A
// search switches once to the results; a double click opens the row's record and closes.
class SearchWindow : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString objectName;
        QString caption;
        ListPanel::Texts list;
        QString accessMessage;    // shown when the archive cannot be read
        const char *resultsTitle; // resource of the picture above the results, or nullptr
    };

    SearchWindow(const Texts &texts, const std::vector<SearchCriterion> &criteria, QWidget *parent = nullptr);

    ListPanel *resultPanel() const { return m_panContainer; }
    // The criteria fields, in table order.
    const std::vector<QLineEdit *> &criteriaFields() const { return m_criteria; }

    // "Cerca": lists what every filled criterion matches and shows the results page; on an
    // archive failure, the access message and the criteria page stays.
    void search();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

    // The rows of the records the criterion texts (one per criterion, in table order) find, in
    // the order the list shows them. False when the archive cannot be opened or read. A search
    // of a very large archive calls it on a thread of its own.
    virtual bool findRows(const QStringList &texts, KeptRows &rows) = 0;
    // The file of the archive searched.
    virtual QString archivePath() const = 0;
    // Opens the record at 0-based `index` of the archive searched (a double click on its row).
    virtual void openRow(qint64 index) = 0;

private:
    void showRows(bool found, KeptRows rows);

    QPointer<BackgroundWork> m_searching;
    QString m_accessMessage;
    QWidget *m_panAvvio;
    std::vector<QLineEdit *> m_criteria;
    QPushButton *m_btnCerca;
    QPushButton *m_btnAnnulla;
    QLabel *m_lblAttendere;
    QLabel *m_title = nullptr;
    const char *m_titleResource;
    ListPanel *m_panContainer;
};

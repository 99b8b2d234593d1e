#pragma once

#include "reports/Report.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QToolButton;

namespace Reports {

class PageView;

// The on-screen preview of a prepared report: the pages one below the other, with buttons to
// print, zoom in and out, fit the page to the window, go full screen and close. Nothing can be
// edited.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    explicit ReportPreview(const PreparedReport &report, QWidget *parent = nullptr);

    double zoom() const;
    // False, with the reason, when printing from the preview failed.
    bool printSucceeded(QString *error = nullptr) const;

public slots:
    void zoomIn();
    void zoomOut();
    void fitToWindow();
    void toggleFullScreen();
    void printReport();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setZoom(double zoom);

    PreparedReport m_report;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_zoomLabel = nullptr;
    QToolButton *m_fullScreen = nullptr;
    bool m_fitting = true; // the page follows the window's size until the user zooms
    bool m_printFailed = false;
    QString m_printError;
};

} // namespace Reports

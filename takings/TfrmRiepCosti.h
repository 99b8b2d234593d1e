#pragma once

#include "takings/Summary.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class BackgroundWork;
class ListPanel;
class PictureButton;
class QLabel;

namespace Takings {

// What the period window asks the summary list for.
struct SummaryRequest
{
    QString yearFilePath;
    SummaryFilter filter;
    std::function<void()> closed; // run when the list window closes (the asker's busy text goes)
};

} // namespace Takings

// The takings summary: the receipts of the chosen interval as fixed-width lines in file order,
// the interval and the total of takings, with find in list and printing. One-use: the period
// window creates it for each request, shows it modally and destroys it. The summary is built when
// the window is shown; a summary that cannot be built shows why, naming the receipt, and neither
// lines nor total.
class TfrmRiepCosti : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmRiepCosti(QWidget *parent = nullptr);

    void setRequest(Takings::SummaryRequest request);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildSummary();
    void showSummary(const Takings::Summary &summary);
    void imgGuidaClick();

    Takings::SummaryRequest m_request;
    QLabel *titTipologia;
    ListPanel *panContainer;
    QLabel *lblIntervallo;
    QLabel *lblTotCosti;
    PictureButton *imgGuida;
    QPointer<BackgroundWork> m_building;
};

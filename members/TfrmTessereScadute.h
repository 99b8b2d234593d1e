#pragma once

#include <QDialog>

class TfrmTessereScadute : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTessereScadute(QWidget *parent = nullptr);
};

#pragma once

#include <QDialog>

class TfrmCertScaduti : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCertScaduti(QWidget *parent = nullptr);
};

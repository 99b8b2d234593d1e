#pragma once

#include <QDialog>

class TfrmTrovaTiratori : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaTiratori(QWidget *parent = nullptr);
};

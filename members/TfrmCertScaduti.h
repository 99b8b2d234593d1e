#pragma once

#include "members/ExpiryListWindow.h"

// The members whose medical certificate has expired by today, opened from the member sheet.
class TfrmCertScaduti : public ExpiryListWindow
{
    Q_OBJECT
public:
    explicit TfrmCertScaduti(QWidget *parent = nullptr);
};

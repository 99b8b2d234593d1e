#pragma once

#include "members/ExpiryListWindow.h"

// The members whose membership card has expired by today, opened from the member sheet.
class TfrmTessereScadute : public ExpiryListWindow
{
    Q_OBJECT
public:
    explicit TfrmTessereScadute(QWidget *parent = nullptr);
};

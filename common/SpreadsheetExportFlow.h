#pragma once

#include "common/SpreadsheetExport.h"

class QWidget;

// The export as the user sees it: the question, the file in the program folder, the failure
// message or the success question, and the file opened on request.
void runSpreadsheetExport(QWidget *parent, const SpreadsheetExport &table);

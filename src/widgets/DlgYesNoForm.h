#pragma once
// The generated form of the question dialog, for the dialogs that are built
// on it (the settings dialog derives from Ui::DlgYesNo). Include this header
// rather than the generated one, so that the including library need not
// generate the form again.

#include "ui_DlgYesNo.h"

// CEdit: a single-line text field of a dialog.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
};

// What both platforms' DoModal need of a dialog before its window exists.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "CDialog.h"
#include "resources/DialogTemplate.h"

// The bytes of the dialog's template: the one in memory, or the program's
// resource with the dialog's identifier.
std::optional<std::span<const std::uint8_t>> AfxDialogTemplateData(const CDialog& dialog);
std::optional<DialogTemplate> AfxLoadDialogTemplate(const CDialog& dialog);

// The window a dialog belongs to: its parent, else the application's main
// window (unless that is the dialog itself), else none.
CWnd* AfxDialogOwner(const CDialog& dialog);

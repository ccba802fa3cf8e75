// Names for screen readers of the controls without text of their own: edit
// fields (whose text is what the user typed), icons and controls of classes
// the framework does not draw. Windows names each by the static text that
// labels it in the template; the toolkit alone would leave them unnamed.
#pragma once

#include <vector>

#include "resources/DialogTemplate.h"

class QWidget;

// Gives each such control the name Windows gives it; widgets[i] is the
// control made of items[i]. The names are taken once, as the dialog is built:
// the program never changes the text of a label.
void AfxNameControlsByTheirLabels(const std::vector<DialogItem>& items, const std::vector<QWidget*>& widgets);

#pragma once
// Names and descriptions for screen readers, from the layout's accessibility table.

#include <QWidget>

namespace qtfront {

// Gives each control of `window` (found by its layout name) its accessible description, and
// each text box the name of its row's label, which also becomes the label's buddy.
void GiveAccessibleTexts(QWidget& window);

}  // namespace qtfront

#pragma once

// Qt's own texts (a text box's context menu, a message box's buttons) in
// Brazilian Portuguese, as the rest of the program speaks.
namespace QtTranslation {

void install();

} // namespace QtTranslation

#include "Fonts.h"

// The package depends on Liberation 2 (fonts-liberation2 on Debian 12).
void Fonts::addShippedFonts() {}

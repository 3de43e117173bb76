#include "Fonts.h"

// The package depends on fonts-liberation2.
void Fonts::addShippedFonts() {}

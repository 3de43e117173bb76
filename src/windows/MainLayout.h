#pragma once

// The main window's designer layout lives with the other layouts; the main
// window includes it from here.
#include "ui_frm0_Inicial.h"

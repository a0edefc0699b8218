#pragma once

// Maps the font names of the program's design ("MS Sans Serif", "Verdana", "Arial") to fonts
// that a Linux desktop has. Call once, before the first window is created.
void installFontSubstitutions();

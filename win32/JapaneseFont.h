#pragma once

#include "FontHandle.h"

// The tool's font at a size in points for a given dpi: ＭＳ Ｐゴシック with
// the Japanese character set, or, where it is missing, the first of the
// faces every Japanese Windows has. Where none is there the font mapper is
// left to find a Japanese face by the character set.
FontHandle CreateJapaneseFont(int points, int dotsPerInch);

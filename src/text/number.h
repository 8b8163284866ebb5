#pragma once
// Reading numbers out of what the user typed.
//
// TextToInt never fails. It first folds full-width forms to ASCII (so a count
// typed with a Chinese input method reads as the digits it shows), then reads
// an optional sign and the longest run of decimal digits after leading
// blanks, wrapping modulo 2^32 like a 32-bit register. Anything after the
// digits is ignored; a text without digits reads as 0.

#include <cstdint>

#include "text/text.h"

// The text with the full-width pairs of code page 936 replaced by their ASCII
// forms: A1 A1 by a space, A1 AB by "~", A1 EE and A1 EF by "*", A3 A1..A3 FE by
// 0x21..0x7E. Every other pair is kept; a lone lead byte at the end is dropped.
Text FoldFullWidth(const Text& text);

std::int32_t TextToInt(const Text& text);

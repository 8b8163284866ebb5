#pragma once
// The three parts of an account: lowercase letters, Chinese characters and
// digits, each drawn one character at a time.
//
// Each call seeds the random source once before anything else, whatever the
// count, and calls the pump once after every character and at no other time.
// A count below 1 gives the empty text.
//
// The Chinese characters are GB2312 pairs with both bytes in 0xB0..0xDA: the
// level-1 zones 16..55 and the first three level-2 zones, positions 16..58,
// 43 x 43 = 1849 characters, every one of them defined.

#include <cstdint>

#include "text/text.h"

Text RandomLetters(std::int32_t count);
Text RandomHanzi(std::int32_t count);
Text RandomDigits(std::int32_t count);

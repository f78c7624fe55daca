#pragma once
#include <cstdint>
#include <string>

// The whole text as a 32-bit integer: leading blanks, an optional sign, then decimal digits or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow. Decimal values
// must fit the signed range; up to eight hexadecimal digits are taken as the 32-bit pattern.
bool ParseInteger(const std::string& text, int32_t& value);

// The decimal scan of a C "%d": leading blanks, an optional sign, the leading run of decimal
// digits; whatever follows is ignored. False when no digit is there.
bool ScanDecimal(const std::string& text, int32_t& value);

#pragma once
// Number primitives. Integers are 32-bit signed; computations run in double precision and a
// computed count, position, index or code becomes an integer by truncation toward zero.

#include <cstdint>
#include <initializer_list>

namespace zicha {

// Truncates toward zero: 2.9 -> 2, -2.9 -> -2. NaN gives 0; values beyond the 32-bit range
// saturate (the system never computes one).
int TruncateToInt(double value);
// The low 8 bits.
uint8_t ToByte(int value);
// dividend - q * divisor with q truncated toward zero, applied left to right over the divisors;
// the sign follows the dividend. A zero divisor is outside the contract (gives NaN).
double Modulo(double dividend, std::initializer_list<double> divisors);
// 32-bit bitwise and / or of all arguments.
int BitAnd(std::initializer_list<int> values);
int BitOr(std::initializer_list<int> values);
template <class... V>
int BitAnd(int a, int b, V... more) { return BitAnd({a, b, static_cast<int>(more)...}); }
template <class... V>
int BitOr(int a, int b, V... more) { return BitOr({a, b, static_cast<int>(more)...}); }
// Shift of the 32-bit pattern by count modulo 32; left shifts in zeros, right copies the sign bit.
int ShiftLeft(int value, int count);
int ShiftRight(int value, int count);

}  // namespace zicha

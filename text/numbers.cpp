#include "text/numbers.h"

#include <cmath>
#include <limits>

namespace zicha {

int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);  // the cast truncates toward zero
}

uint8_t ToByte(int value) { return static_cast<uint8_t>(static_cast<unsigned>(value) & 0xFFu); }

double Modulo(double dividend, std::initializer_list<double> divisors) {
  for (double d : divisors) dividend = std::fmod(dividend, d);  // fmod truncates the quotient
  return dividend;
}

int BitAnd(std::initializer_list<int> values) {
  unsigned r = ~0u;
  for (int v : values) r &= static_cast<unsigned>(v);
  return static_cast<int>(r);
}

int BitOr(std::initializer_list<int> values) {
  unsigned r = 0;
  for (int v : values) r |= static_cast<unsigned>(v);
  return static_cast<int>(r);
}

int ShiftLeft(int value, int count) {
  return static_cast<int>(static_cast<uint32_t>(value) << (static_cast<unsigned>(count) & 31u));
}

int ShiftRight(int value, int count) {
  return value >> (static_cast<unsigned>(count) & 31u);  // arithmetic for negative values since C++20
}

}  // namespace zicha

#pragma once
// Base64 (RFC 4648, section 4) and the e-mail encoding of the lookup request.

#include <string_view>

#include "text/bytes.h"
#include "text/text.h"

namespace zicha {

// Standard alphabet, "=" padding, no line breaks; 4 * ceil(L / 3) characters for L bytes. Any
// byte values are accepted, zero bytes included. Empty data gives the absent text.
Text Base64Encode(const Bytes& data);

// Base64 of the Base64 of the address's code page 936 bytes (no conversion, no URL escaping:
// "+", "/" and "=" stay as they are). An empty address gives the empty text.
Text EncodeEmail(std::string_view address);

}  // namespace zicha

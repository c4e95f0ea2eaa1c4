#pragma once
// Base64 (RFC 4648, section 4) and the e-mail encoding of the lookup request.

#include <string_view>

#include "text/bytes.h"
#include "text/text.h"

namespace zicha {

// Standard alphabet, "=" padding, no line breaks; 4 * ceil(L / 3) characters for L bytes. Any
// byte values are accepted, zero bytes included. Empty data gives the absent text.
Text Base64Encode(const Bytes& data);

// Strict decoding of RFC 4648 Base64 (standard alphabet): the length must be a multiple of four,
// "=" may only end the text (one or two of them), the bits a pad hides must be zero, and nothing
// else (no white space, no line breaks) is accepted. Returns false and leaves `out` empty on
// any fault; the empty text decodes to no bytes.
bool Base64Decode(std::string_view text, Bytes& out);

// Base64 of the Base64 of the address's code page 936 bytes (no conversion, no URL escaping:
// "+", "/" and "=" stay as they are). An empty address gives the empty text.
Text EncodeEmail(std::string_view address);

}  // namespace zicha

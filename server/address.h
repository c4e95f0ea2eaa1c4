#pragma once
// The address of a lookup request: taken from the form body, decoded from Base64 of Base64 of
// its code page 936 bytes, normalised and checked.

#include <string>
#include <string_view>

namespace zicha::server {

enum class AddressStatus { kOk, kEmpty, kMalformed, kImplausible };

struct DecodedAddress {
  AddressStatus status = AddressStatus::kMalformed;
  std::string address;  // normalised UTF-8 when kOk
};

// From a form body "data=<value>" (other fields ignored; %XX escapes in the value are decoded,
// "+" stays "+"): both Base64 layers strictly, the bytes read as code page 936 (invalid bytes
// make the body malformed), then NormalizeAddress and IsPlausibleAddress.
DecodedAddress DecodeLookupBody(std::string_view body);

// Trims spaces, tabs and full-width spaces at both ends and lower-cases ASCII letters. UTF-8.
std::string NormalizeAddress(std::string_view utf8);

// One "@" with a local part of 1..64 bytes before it and a domain with a dot inside after it,
// 254 bytes at most, no spaces or control characters. Non-ASCII characters are allowed.
bool IsPlausibleAddress(std::string_view normalized);

}  // namespace zicha::server

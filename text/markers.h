#pragma once
// Cutting texts at markers: the text between two markers, the text before one.

#include <optional>
#include <string_view>

#include "text/text.h"

namespace zicha {

// The text between the first `left` marker found from `start` (omitted or below 1: byte 1) and
// the first `right` marker found after it. In both markers the five bytes "#引号" (0x23 0xD2 0xFD
// 0xBA 0xC5) stand for one double quote. `ignoreCase` (omitted: false) works as in TextFind.
// Empty when either marker is not found. An empty left marker matches at byte 1; an empty right
// marker always gives the empty text; a left marker at the very end gives the empty text.
Text TextBetween(std::string_view text, std::string_view left, std::string_view right,
                 std::optional<int> start = std::nullopt, std::optional<bool> ignoreCase = std::nullopt);

// Everything in front of the first `marker` found from `start` (omitted or below 1: byte 1),
// counted from the first byte of the text. Empty when the marker is not found or is empty.
Text TextBefore(std::string_view text, std::string_view marker, std::optional<int> start = std::nullopt,
                std::optional<bool> ignoreCase = std::nullopt);

}  // namespace zicha

#pragma once
// Taking a URL text apart: host, port and path. No validation and no percent-decoding; a URL
// without a scheme is taken as "http://", and only "/" ends the host ("?" and "#" do not).

#include <optional>
#include <string_view>

#include "text/text.h"

namespace zicha {

// The host, lower-cased, by default without its ":port".
// Plain mode (`extraLabels` omitted): the text between "https://" (when the URL starts with it) or
// "http://" (found anywhere; prepended when missing) and the next "/". With `domainOnly` only the
// last two dot-separated labels are kept. An empty URL gives the empty host.
// Label-count mode (`extraLabels` given, any value): every "http://" and "https://" is removed,
// the text is cut before its first "/", and the last extraLabels + 2 labels are kept
// (extraLabels + 1 with `domainOnly`); a ":port" counts as part of the last label there.
// `keepPort` (omitted: false) keeps the ":port".
Text UrlHost(std::string_view url, std::optional<bool> domainOnly = std::nullopt,
             std::optional<bool> keepPort = std::nullopt, std::optional<int> extraLabels = std::nullopt);

// The number after the host's last ":" (read by TextToInt); without one, 443 when the URL's first
// five characters are "https" in any case, else 80.
int UrlPort(std::string_view url);

// Everything from the first "/" after the host to the end, in the URL's own case, query and
// fragment included; "/" when there is none. The host is looked for after the "://" when the URL
// has one, so a host that also occurs in the scheme ("http://p/x") still gives "/x".
Text UrlPath(std::string_view url);

}  // namespace zicha

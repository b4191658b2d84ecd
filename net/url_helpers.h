// Taking a request address apart, and cutting text between two markers.
// No validation: a malformed address gives whatever the cuts give.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The host after "http://" (lower-case scheme only; from the start when it is
// missing) up to the next "/", lower-cased; without ":port" unless keepPort.
std::string UrlHost(std::string_view url, bool keepPort = false);
// From the first "/" after the host to the end (query included); "/" when none.
std::string UrlPath(std::string_view url);
// The port written after the host (its leading number), 80 when none is written.
std::int32_t UrlPort(std::string_view url);

// The bytes between the first startMarker and the first endMarker after it.
// An empty endMarker means "to the end", an empty startMarker "from the start";
// empty whenever a marker is not found.
std::string TextBetween(std::string_view t, std::string_view startMarker, std::string_view endMarker);

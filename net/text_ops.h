// The pad's text operations. Texts are byte strings in the system ANSI code
// page (GBK on a Chinese system): lengths and positions count bytes, positions
// start at 1 and a search that finds nothing gives -1. A byte of 0x80 or above
// starts a double-byte character together with the byte after it; searches,
// splits and case changes never start or act on such a second byte.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Position of the first s in t at or after position `from` (below 1 means 1;
// beyond the end of t gives -1). With ignoreCase, A-Z and a-z compare equal.
// An empty s gives 1 when t has bytes from `from` on, else -1.
int TextFind(std::string_view t, std::string_view s, int from = 1, bool ignoreCase = false);

// The `count` bytes of t from position `start` on, cut short at the end of t;
// empty when start < 1, start > length of t or count <= 0.
std::string TextMiddle(std::string_view t, int start, int count);
// The first / last n bytes of t (all of t when n >= its length, empty when n <= 0).
std::string TextLeft(std::string_view t, int n);
std::string TextRight(std::string_view t, int n);

// A-Z become a-z; every other byte, and each second byte of a double-byte
// character, stays.
std::string TextLower(std::string_view t);

// Pieces of t between occurrences of sep. Empty t gives none; a separator at the
// start or two in a row give an empty piece; one at the very end adds none; no
// separator (or an empty sep) gives t itself.
std::vector<std::string> TextSplit(std::string_view t, std::string_view sep);

// The bytes of b up to, not including, the first zero byte.
std::string BytesToText(std::string_view b);

// Blank: empty or only spaces, a space being 0x20 or the ideographic space A1 A1.
bool TextIsBlank(std::string_view t);
// t without the spaces at both ends (same spaces as TextIsBlank).
std::string TextTrim(std::string_view t);

// The decimal number at the start of t after full-width forms (A3 A1..A3 FE and
// A1 A1) have become their one-byte equivalents: white space skipped, sign,
// digits, fraction, exponent; 0 when no number is there.
double TextToNumber(std::string_view t);

// Length of a text as a position count, clamped to what an int holds.
int TextLength(std::string_view t);

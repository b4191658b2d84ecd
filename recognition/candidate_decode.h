// Candidate text decoding: a piece of the recognition reply, such as \u4e00,
// read as the body of a single-quoted JavaScript string literal (non-strict,
// with the legacy octal escapes). Read natively: the reply comes over plain
// HTTP, so it is never handed to a script engine.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The UTF-16 text that '<body>' stands for, or nothing when the literal would
// not parse: an unescaped apostrophe, a line break (CR, LF, U+2028, U+2029), a
// zero unit (it would end the literal early), a backslash at the end, or a
// \x or \u escape without exactly two or four hexadecimal digits.
//   \uXXXX \xXX   the code unit
//   \b \f \n \r \t \v   08 0C 0A 0D 09 0B
//   \0 ... \377   legacy octal: up to three digits from 0-3, up to two from 4-7
//   \ + any other character   that character (\' \" \\ \8 \q ...)
std::optional<std::u16string> ReadQuotedStringBody(std::u16string_view body);

// The candidate text for `escape` (ANSI code page in, ANSI code page out):
// empty when the literal does not parse, cut at a zero character, and with the
// code page's default character for what it cannot represent.
std::string DecodeUnicodeEscape(const std::string& escape);

// Conversions between the system ANSI code page (GBK on a Chinese system) and
// UTF-16. Win32: MultiByteToWideChar / WideCharToMultiByte with CP_ACP. Any
// thread.
#pragma once
#include <string>
#include <string_view>

// A byte sequence that forms no character becomes the code page's replacement.
std::u16string AnsiToUtf16(std::string_view text);
// What the code page cannot represent (also a lone surrogate) becomes its
// default character; empty when the conversion fails as a whole.
std::string Utf16ToAnsi(std::u16string_view text);

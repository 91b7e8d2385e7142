#pragma once

// Texts in the data and weapon files are bytes in the Windows-1252 code page. The program keeps
// them as bytes and converts only where a window shows or takes a text.

#include <string>
#include <string_view>

namespace kalverin {

// Every byte has a character: the five bytes the code page leaves undefined map to the control
// characters of the same value, so that any file round-trips through a window unchanged.
std::u16string DecodeCodePage(std::string_view bytes);

// Characters the code page cannot hold become '?'.
std::string EncodeCodePage(std::u16string_view text);

}  // namespace kalverin

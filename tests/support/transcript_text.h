#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kalverin::testing {

// Bytes as a transcript writes them: \\ \r \n \xNN for a backslash, a line break or a byte past
// ASCII, \" in a quoted text, and a run of 16 or more of one byte as "x\*4097".
inline std::string Escaped(std::string_view bytes, bool quoted) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t run = std::min(bytes.find_first_not_of(c, i), bytes.size()) - i;
        if (run >= 16) {
            out += Escaped(bytes.substr(i, 1), quoted) + "\\*" + std::to_string(run);
            i += run - 1;
        } else if (c == '\\' || (quoted && c == '"')) {
            (out += '\\') += c;
        } else if (c == '\r' || c == '\n') {
            out += c == '\r' ? "\\r" : "\\n";
        } else if (byte < 0x20 || byte >= 0x7F) {
            ((out += "\\x") += kHex[byte >> 4]) += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

inline std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    (quoted += Escaped(text, true)) += '"';
    return quoted;
}

}  // namespace kalverin::testing

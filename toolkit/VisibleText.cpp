#include "toolkit/VisibleText.hpp"

#include <array>
#include <cstdint>
#include <cstdio>

namespace kartoval {
namespace {

// Characters that print as nothing or as a plain blank, so that a message
// quoting them would look as if they weren't there: the no-break and the
// typographic spaces, the zero-width characters, the direction marks and
// controls, the word joiner and the byte-order mark.
bool isInvisible(char32_t c)
{
    return c == 0x00A0 || c == 0x00AD || c == 0x034F || c == 0x061C || c == 0x115F || c == 0x1160 ||
           c == 0x1680 || c == 0x180E || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) ||
           c == 0xFEFF || c == 0xFFA0 || (c >= 0xFFF0 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE0FFF);
}

void appendHex(std::string& out, const char* format, unsigned value)
{
    std::array<char, 16> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
    out.append(buffer.data(), static_cast<std::size_t>(length));
}

// The length of the well-formed UTF-8 sequence at the start of `s` and the
// character it encodes; 0 when the first byte starts none (a stray
// continuation byte, an overlong form, a surrogate, a value past U+10FFFF, a
// cut sequence).
std::size_t decodeUtf8(std::string_view s, char32_t& c)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned first = byte(0);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2, c = first & 0x1FU, lowest = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3, c = first & 0x0FU, lowest = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4, c = first & 0x07U, lowest = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0U) != 0x80) return 0;
        c = (c << 6U) | (byte(k) & 0x3FU);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string VisibleText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += text[i++];
            continue;
        }
        switch (byte) {
        case 0x00: out += "<NUL>"; ++i; continue;
        case 0x09: out += "<TAB>"; ++i; continue;
        case 0x0A: out += "<LF>"; ++i; continue;
        case 0x0D: out += "<CR>"; ++i; continue;
        case 0x7F: out += "<DEL>"; ++i; continue;
        default: break;
        }
        if (byte < 0x20) {
            appendHex(out, "<0x%02X>", byte);
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = decodeUtf8(text.substr(i), c);
        if (length == 0) {
            appendHex(out, "<0x%02X>", byte);
            ++i;
        } else if (isInvisible(c) || (c >= 0x80 && c < 0xA0)) {  // C1 controls too
            appendHex(out, "<U+%04X>", static_cast<unsigned>(c));
            i += length;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string QuotedText(std::string_view text)
{
    // Built by appending: GCC 12's -O2 sees a false overlap in "'" + std::string&&.
    std::string quoted(1, '\'');
    quoted += VisibleText(text);
    quoted += '\'';
    return quoted;
}

std::string QuotedField(std::string_view text)
{
    constexpr std::size_t kMostQuoted = 60;
    const auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!isLead(text[k])) continue;
        if (characters == kMostQuoted) cut = k;
        ++characters;
    }
    std::string quoted = QuotedText(text.substr(0, cut));
    if (cut < text.size()) quoted += "... (" + std::to_string(characters) + " characters)";
    return quoted;
}

}  // namespace kartoval

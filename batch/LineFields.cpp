#include "batch/LineFields.hpp"

#include "toolkit/ByteScan.hpp"

#include <cstring>

namespace kartoval {
namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

char separatorOf(Delimiter delimiter)
{
    switch (delimiter) {
    case Delimiter::Tab: return '\t';
    case Delimiter::Comma: return ',';
    case Delimiter::Semicolon: return ';';
    default: return ' ';
    }
}

void splitBlanks(std::string_view line, std::vector<FieldSpan>& fields)
{
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && isBlank(line[i])) ++i;
        if (i == n) return;
        const std::size_t start = i;
        i = static_cast<std::size_t>(FindEitherByte(line.data() + i, line.data() + n, ' ', '\t') - line.data());
        std::size_t stop = i;
        while (isBlank(line[stop - 1])) --stop;  // line[start] is not blank
        fields.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop), false});
    }
}

bool splitQuoted(std::string_view line, char separator, std::vector<FieldSpan>& fields, std::size_t& badField)
{
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        const std::size_t start = i;
        if (i < n && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= n) {
                    badField = fields.size();
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            // Blanks may follow the closing quote; anything else is a broken field.
            std::size_t after = i;
            while (after < n && line[after] != separator && isBlank(line[after])) ++after;
            if (after < n && line[after] != separator) {
                badField = fields.size();
                return false;
            }
            fields.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i), true});
            i = after;
        } else {
            const void* found = i < n ? std::memchr(line.data() + i, separator, n - i) : nullptr;
            i = found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - line.data()) : n;
            fields.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i), false});
        }
        if (i >= n) return true;
        ++i;  // the separator; a separator at the very end leaves one empty field after it
    }
}

}  // namespace

bool SplitFields(std::string_view line, Delimiter delimiter, std::vector<FieldSpan>& fields, std::size_t& badField)
{
    fields.clear();
    badField = 0;
    if (delimiter == Delimiter::Whitespace || delimiter == Delimiter::Auto) {
        splitBlanks(line, fields);
        return true;
    }
    if (delimiter == Delimiter::Tab) {
        // A TAB file quotes nothing: every character between tabs is the field's.
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            const std::size_t stop = tab == std::string_view::npos ? line.size() : tab;
            fields.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop), false});
            if (tab == std::string_view::npos) return true;
            start = tab + 1;
        }
    }
    return splitQuoted(line, separatorOf(delimiter), fields, badField);
}

std::string_view FieldValue(std::string_view line, const FieldSpan& field, std::string& scratch)
{
    std::string_view text = line.substr(field.Begin, field.End - field.Begin);
    if (field.Quoted) {
        text = text.substr(1, text.size() - 2);
        if (text.find('"') != std::string_view::npos) {
            scratch.clear();
            for (std::size_t k = 0; k < text.size(); ++k) {
                scratch += text[k];
                if (text[k] == '"') ++k;  // the second of a doubled quote
            }
            text = scratch;
        }
    }
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

Delimiter DetectDelimiter(std::string_view line)
{
    bool inQuotes = false;
    bool comma = false;
    bool tab = false;
    bool blankBesideTab = false;
    for (std::size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (c == '"') inQuotes = !inQuotes;
        if (inQuotes) continue;
        if (c == ';') return Delimiter::Semicolon;
        if (c == ',') comma = true;
        if (c == '\t') {
            tab = true;
            if ((k > 0 && line[k - 1] == ' ') || (k + 1 < line.size() && line[k + 1] == ' ')) blankBesideTab = true;
        }
    }
    if (comma) return Delimiter::Comma;
    if (tab && !blankBesideTab) return Delimiter::Tab;
    return Delimiter::Whitespace;
}

char OutputSeparator(Delimiter delimiter)
{
    return delimiter == Delimiter::Whitespace || delimiter == Delimiter::Auto ? '\t' : separatorOf(delimiter);
}

void AppendField(std::string& out, std::string_view text, char separator, bool quote)
{
    const bool needsQuotes = quote || (separator != '\t' && text.find_first_of(std::string{separator, '"'}) !=
                                                                std::string_view::npos);
    if (!needsQuotes) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
}

}  // namespace kartoval

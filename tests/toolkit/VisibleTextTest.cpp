// Quoted values in messages show every character that would otherwise be
// invisible, move the message about, or cut it short.

#include "toolkit/VisibleText.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kartoval {
namespace {

TEST(VisibleText, EscapesWhatCantBeSeen)
{
    using namespace std::string_literals;
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"12.5 abc", "12.5 abc"},
        {"10\0x"s, "10<NUL>x"},
        {"a\tb\r\nc\x7f", "a<TAB>b<CR><LF>c<DEL>"},
        {"\x01\x1f", "<0x01><0x1F>"},
        {"\xEF\xBB\xBF" "1", "<U+FEFF>1"},        // byte-order mark
        {"1\xC2\xA0" "000", "1<U+00A0>000"},      // no-break space
        {"a\xE2\x80\x8B" "b", "a<U+200B>b"},      // zero-width space
        {"\xC2\x85", "<U+0085>"},                 // a C1 control
        {"Gau\xC3\x9F \xE2\x82\xAC", "Gau\xC3\x9F \xE2\x82\xAC"},  // letters and signs stay
        {"\xFF\xFE" "1", "<0xFF><0xFE>1"},        // not UTF-8
        {"\xC3", "<0xC3>"},                       // a cut sequence
        {"\xC0\xAF", "<0xC0><0xAF>"},             // an overlong form
        {"\xED\xA0\x80", "<0xED><0xA0><0x80>"},   // a surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(VisibleText(c.text), c.shown);
    }
    EXPECT_EQ(QuotedText("1\r"), "'1<CR>'");
}

}  // namespace
}  // namespace kartoval

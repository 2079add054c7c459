#include "app/markup_lit.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/rt_markup.h"
#include "ui/rtext.h"

namespace {
// The characters a mark-up text shows, and whether any attribute opened.
std::wstring shown(const wchar_t* markup, bool* tags = nullptr) {
    rt_ops_t ops;
    rt_parse(markup, &ops);
    std::wstring out;
    for (const rt_op_t& op : ops.ops) {
        if (op.kind == RO_CHAR) out += wchar_t(op.ch);
        if (tags && op.kind == RO_OPEN) *tags = true;
    }
    return out;
}
}  // namespace

TEST(MarkupLit, TypedTextShowsAsTypedAlsoInsideATooltipValue) {
    for (const wchar_t* name : {L"<b>Bob", L"</c><c=r>", L"O'Brien \"Ox\"", L"a]]b]=]c", L"<tip='x'>y</tip>", L"普通名字"}) {
        const Str lit = markup_lit(name);
        bool tags = false;
        EXPECT_EQ(shown(lit.c_str(), &tags), name);
        EXPECT_FALSE(tags) << "the name opened an attribute";
        EXPECT_EQ(strip_tags(lit.c_str()), Str(name));
        // Quoted by single quotes or long brackets, as tooltips are written.
        for (const Str& tip : {Str(L"<tip='%s'>t</tip>", lit), Str(L"<tip=[=[%s]=]>t</tip>", lit)}) {
            rt_ops_t ops;
            rt_parse(tip.c_str(), &ops);
            ASSERT_FALSE(ops.ops.empty());
            EXPECT_EQ(shown(ops.val(ops.ops.front())), name) << to_utf8_string(tip.buf);
            EXPECT_EQ(shown(tip.c_str()), L"t");
        }
    }
}

TEST(MarkupLit, ControlCharactersBecomeBlanks) {
    EXPECT_EQ(markup_lit(L"a\tb\nc\rd\x7f" L"e\x01"), Str(L"a b c d e "));
    EXPECT_TRUE(markup_lit(nullptr).empty());
    EXPECT_TRUE(markup_lit(L"").empty());
}

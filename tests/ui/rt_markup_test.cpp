#include "ui/rt_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/font.h"
#include "ui/rtext.h"

namespace {

// The op stream as text: characters as they are, "|" a line break, "→" a
// tab, "{k=v}" an attribute opening, "{/k}" its closing (with the link
// target and the hr style where there are any).
std::string trace(const wchar_t* markup) {
    rt_ops_t ops;
    rt_parse(markup, &ops);
    std::wstring out;
    for (const rt_op_t& op : ops.ops) {
        const std::wstring key = rt_key_row(op.key).key, val = ops.val(op);
        switch (op.kind) {
        case RO_CHAR: out += wchar_t(op.ch); break;
        case RO_TAB: out += L"→"; break;
        case RO_VTAB: out += L"↓"; break;
        case RO_BREAK: out += L"|"; break;
        case RO_OPEN: out += L"{" + key + (val.empty() ? L"" : L"=" + val) + L"}"; break;
        case RO_CLOSE:
            out += L"{/" + key;
            if (op.key == RK_URL) out += L" " + val;
            if (*ops.str(op.style_w)) out += std::wstring(L" w:") + ops.str(op.style_w);
            if (op.key == RK_HR && *ops.str(op.style_c)) out += std::wstring(L" c:") + ops.str(op.style_c);
            out += L"}";
            break;
        }
    }
    return to_utf8_string(out.c_str());
}

// The font, colour (alpha folded in) and flags in force at the first "x".
struct at_x_t {
    int font = -9;
    clr_t clr;
    uint32_t flags = 0;
};
at_x_t state_at_x(const wchar_t* markup, int base_font = FONT_DEF) {
    rt_ops_t ops;
    rt_parse(markup, &ops);
    rt_style_t st(0xFFFFFFFF, base_font);
    for (const rt_op_t& op : ops.ops) {
        if (op.kind == RO_CHAR && op.ch == U'x') return {st.font(), st.glyph_clr(), st.flags.back()};
        st.apply(ops, op, rt_link_clr);
    }
    return {};
}

TEST(RtParse, ScopesCloseInnermostFirstWhateverTheClosingTagNames) {
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"a<c=r>b</x>c", "a{c=r}b{/c}c"},
        {L"<c=r><f=b5>a</c>b</>c", "{c=r}{f=b5}a{/f}b{/c}c"},
        {L"a</>b</c>", "ab"},                                     // nothing open: ignored
        {L"<c=r zz=1>a", "{c=r}a{/c}"},                           // unknown key dropped, scope closed at the end
        {L"<zz c=r>a<zz>b", "ab"},                                // unknown first key: the tag does nothing
        {L"<c=r", "{c=r}{/c}"},                                   // unterminated tag ends with the text
        {L"ab<", "ab"},
        {L"a<c='x>y", "a{c=x>y}{/c}"},                            // unterminated quote too
        {L"<tip='<c=r>hi</c>' tip_w=200>t</>", "{tip=<c=r>hi</c>}{tip_w=200}t{/tip_w}{/tip}"},
        {L"<url=[==[a]]>b]==]>z</>", "{url=a]]>b}z{/url a]]>b}"},
        {L"<url>http://a.b/</url>.", "{url}http://a.b/{/url http://a.b/}."},
        {L"<url>./m.txt", "{url}./m.txt{/url ./m.txt}"},
        {L"<i>a</i><h_zebra_c>b", "ab"},
        {L"<va=t>a", "a"},
        {L"<sz=32 img=x>", "{sz=32}{img=x}{/img}{/sz}"},        // opens in key order whatever the order written
        {L"<img=x sz=32>y", "{sz=32}{img=x}{/img}{/sz}y"},
        {L"<ico=x ha=r>", "{ico=x}{/ico}"},                       // alignment marks on images do nothing
        {L"<c=r ha=r>a</c>", "{c=r}{ha=r}a{/ha}{/c}"},
        {L"<title=a<b>c", "{f=b5}{c=#fea}a<b{/c}{/f}c"},          // "<" inside a title is a character
        {L"<title='a\tb'>", "{f=b5}{c=#fea}a\tb{/c}{/f}"},
        {L"a\tb\vc", "a→b↓c"},
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(trace(in), want) << to_utf8_string(in);
}

TEST(RtParse, LineBreaksOfParagraphsHeadingsAndBr) {
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"a\r\nb\rc\nd", "a|b|c|d"},
        {L"a<br>\nb", "a|b"},                                     // br and LF make one break
        {L"a<br>\r\nb", "a|b"},
        {L"a<br><c=r>\nb", "a|{c=r}b{/c}"},                       // only tags between still count
        {L"a<br>x\nb", "a|x|b"},
        {L"a<br>\n\nb", "a||b"},
        {L"<p>a</p>\nb", "a|b"},                                  // p at a line start: no empty line first
        {L"x<p>a</p>", "x|a|"},
        {L"x\n<p>a", "x|a"},                                      // closed by the end: no trailing break
        {L"<pre_ln=0>a<post_ln=no>b</>c", "abc"},
        {L"<h1>T</h1>\nb", "{mgn_b=8}{f=b7}{hr=b}T{/hr}{/f}|{/mgn_b}b"},
        {L"x<h2 hr=c mgn_b=2>T</>", "x{mgn_b=2}|{f=b6}{hr=c}T{/hr}{/f}|{/mgn_b}"},
        {L"<h3 f=n1>T</>", "{mgn_b=4}{f=n1}{hr=b}T{/hr}{/f}|{/mgn_b}"},
        {L"a<hr>b", "a|{hr}{/hr}|b"},
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(trace(in), want) << to_utf8_string(in);
}

TEST(RtParse, StylesGiveDefaultsToLaterTagsOfTheirKeyUntilTheirScopeCloses) {
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"<s url=c:fc_r><url=x>y</url></s><url=z>", "{c=fc_r}{url=x}y{/url x}{/c}{url=z}{/url z}"},
        {L"<s=c:r;f:b2>a</s>b", "{c=r}{f=b2}a{/f}{/c}b"},
        {L"<s hr=w:max_ln_w;c:lbl><hr=b>", "{c=lbl}{hr=b}{w=max_ln_w}{/w}{/hr w:max_ln_w c:lbl}{/c}|"},
        {L"<s c=a:50><c=r>x</c><c=g a=9>y", "{c=r}{a=50}x{/a}{/c}{c=g}{a=9}y{/a}{/c}"},  // own attributes win
        {L"<c=r s=a:1;zz:2>x", "{c=r}{a=1}x{/a}{/c}"},
        {L"<s c=a:1><s c=a:2><c>x</></><c>y", "{c}{a=2}x{/a}{/c}{c}{a=1}y{/a}{/c}"},
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(trace(in), want) << to_utf8_string(in);
}

TEST(RtParse, FontsColoursAndAlphasResolveAgainstTheTextInForce) {
    const std::tuple<const wchar_t*, int, int> fonts[] = {
        {L"<f=n5><b>x", FONT_DEF, FONT_B5}, {L"<b><f=5>x", FONT_DEF, FONT_B5}, {L"<f=5>x", FONT_DEF, FONT_N5},
        {L"<f=b7><b=0>x", FONT_DEF, FONT_N7}, {L"<b>x", FONT_DEF, FONT_B4}, {L"<b=no>x", FONT_B, FONT_N},
        {L"<f=CH_DMG>x", FONT_DEF, FONT_CH_DMG}, {L"<f=CON><b>x", FONT_DEF, FONT_CON},
        {L"<title=x>", FONT_DEF, FONT_B5}, {L"<f=n5></f>x", FONT_N2, FONT_N2},
    };
    for (const auto& [in, base, want] : fonts) EXPECT_EQ(state_at_x(in, base).font, want) << to_utf8_string(in);

    const std::pair<const wchar_t*, uint32_t> clrs[] = {
        {L"x", 0xFFFFFFFF}, {L"<c=fc_k1>x", 0xFF0E141A}, {L"<c=fc_k0>x", 0xFF8DC6FF}, {L"<c=lbl>x", 0xFFEECC88},
        {L"<c=LightGrey>x", 0xFFD3D3D3}, {L"<c=lightgrey>x", 0}, {L"<c=#f>x", 0xFFFFFFFF},
        {L"<c=#8f>x", 0x88FFFFFF}, {L"<c=#f80>x", 0xFFFF8800}, {L"<c=#8f80>x", 0x88FF8800},
        {L"<c=#123456>x", 0xFF123456}, {L"<c=#80123456>x", 0x80123456}, {L"<c=#12345>x", 0x00012345},
        {L"<c=#xyz>x", 0}, {L"<c=nonsense>x", 0}, {L"<url=u>x", rt_link_clr}, {L"<title=x>", 0xFFFFEEAA},
        {L"<a=50%>x", 0x7FFFFFFF}, {L"<a=0.5>x", 0x7FFFFFFF}, {L"<a=128>x", 0x80FFFFFF}, {L"<a=#80>x", 0x80FFFFFF},
        {L"<c=#80ffffff><a=50%>x", 0x3FFFFFFF}, {L"<a=999>x", 0xFFFFFFFF}, {L"<a=-5>x", 0x00FFFFFF},
    };
    for (const auto& [in, want] : clrs) EXPECT_EQ(state_at_x(in).clr.v, want) << to_utf8_string(in);
    EXPECT_EQ(state_at_x(L"<shadow>x").flags, 1u);
    EXPECT_EQ(state_at_x(L"<shadow><shadow=0>x").flags, 0u);
}

TEST(RtParse, ValueKinds) {
    EXPECT_EQ((std::vector{rt_parse_int(L"mp", 7), rt_parse_int(L"sp", 7), rt_parse_int(L"lp", 7),
                           rt_parse_int(L"cur_x", 7), rt_parse_int(L"12px", 7), rt_parse_int(L"q", 7),
                           rt_parse_int(L"-3", 7), rt_parse_int(L"99999999999999", 7)}),
              (std::vector{4, 2, 8, 7, 12, 0, -3, UNLIMITED}));
    EXPECT_EQ(rt_parse_plain_int(L"mp"), 0);
    for (const wchar_t* f : {L"0", L"false", L"no"}) EXPECT_FALSE(rt_parse_bool(f));
    for (const wchar_t* t : {L"", L"1", L"true", L"yes", L"maybe"}) EXPECT_TRUE(rt_parse_bool(t));
    EXPECT_EQ((std::vector{rt_parse_width(L"", 300), rt_parse_width(L"max_ln_w", 300),
                           rt_parse_width(L"lmt_w", 300), rt_parse_width(L"120", 300)}),
              (std::vector<int>{RT_W_REST, RT_W_WIDEST, 300, 120}));
    EXPECT_EQ((std::vector{rt_parse_rule(L"b"), rt_parse_rule(L"c"), rt_parse_rule(L""), rt_parse_rule(L"x")}),
              (std::vector<int>{RT_RULE_BOTTOM, RT_RULE_CENTRE, RT_RULE_CENTRE, RT_RULE_NONE}));
    EXPECT_EQ((std::vector{rt_parse_halign(L"l"), rt_parse_halign(L"r"), rt_parse_halign(L"c"),
                           rt_parse_halign(L"?")}),
              (std::vector<int>{RT_ALIGN_LEFT, RT_ALIGN_RIGHT, RT_ALIGN_CENTRE, RT_ALIGN_CENTRE}));
    EXPECT_EQ(rt_find_key(L"url"), RK_URL);
    EXPECT_EQ(rt_find_key(L"URL"), RK_NONE);
    EXPECT_EQ(rt_find_key(nullptr), RK_NONE);
}

TEST(RtParse, ACharacterTagIsItsCharacterAndNothingElse) {
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"<ch=60>b>x", "<b>x"},
        {L"<c=r><ch=39></c>", "{c=r}'{/c}"},
        {L"a<ch=19968>", "a一"},
        // No character for controls, DEL, surrogates, code points past Unicode, nothing.
        {L"<ch=9><ch=127><ch=55296><ch=1114112><ch=-60><ch=><ch=x>z", "z"},
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(trace(in), want) << to_utf8_string(in);
    EXPECT_EQ(strip_tags(L"<c=r><ch=60>b<ch=62></c><ch=9>"), Str(L"<b>"));
}

TEST(RtParse, HostileTextNeverBreaksTheReader) {
    std::wstring deep;
    for (int i = 0; i < 5000; ++i) deep += L"<c=r><s=f:b1>";
    deep += L"x</></></>";
    for (const std::wstring& s : {deep, std::wstring(L"<<<<>>>>< = ='\"[[[=[>"), std::wstring(L"<s=;;::;s:s>"),
                                  std::wstring(L"<s s=s:s>x"), std::wstring(L"<url></url></url>"),
                                  std::wstring(L"<s url=c>x<url>y"), std::wstring(L"\r\r\n\n<br><p></>")}) {
        rt_ops_t ops;
        rt_parse(s.c_str(), &ops);
        rt_style_t st(0xFFFFFFFF, FONT_DEF);
        int opens = 0;
        for (const rt_op_t& op : ops.ops) {
            st.apply(ops, op);
            opens += op.kind == RO_OPEN ? 1 : op.kind == RO_CLOSE ? -1 : 0;
        }
        EXPECT_EQ(opens, 0) << "every attribute opened is closed";
        EXPECT_EQ(st.fonts.size(), 1u);
        EXPECT_EQ(st.clrs.size(), 1u);
    }
    rt_ops_t ops;
    rt_parse(nullptr, &ops);
    EXPECT_TRUE(ops.ops.empty());
}

TEST(RtParse, QuotedAndBracketedValuesEndWhereTheyClose) {
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"<url='a b'>x", "{url=a b}x{/url a b}"},
        {L"<url=\"a'b\">x", "{url=a'b}x{/url a'b}"},
        {L"<c=[[r]]a=50>x", "{c=r}{a=50}x{/a}{/c}"},  // the next attribute may follow at once
        {L"<c=[==[r]]==]a=50>x", "{c=r]}{a=50}x{/a}{/c}"},  // the first "]==]" closes
        {L"<url>ab</url>c", "{url}ab{/url ab}c"},  // a link without a target goes to its whole text
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(trace(in), want) << to_utf8_string(in);
}

TEST(RtParse, TheFirstPrintableCharacterIsTheSpace) {
    EXPECT_EQ(trace(L"<ch=31><ch=32>z"), " z");
    EXPECT_FALSE(rt_is_ch_printable(31));
    EXPECT_TRUE(rt_is_ch_printable(32));
    EXPECT_TRUE(rt_is_ch_printable(0x10FFFF));
}

}  // namespace

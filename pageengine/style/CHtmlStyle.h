#pragma once
// The style step: the style of each element from its tag's traits, its attributes and its
// parent's style, the way browsers style pages without style sheets. The layout asks for
// an element's style as it meets the element, and reads nothing else of its attributes'
// looks.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/style/CHtmlComputedStyle.h"

class CHtmlFonts;

class CHtmlStyle
{
public:
    CHtmlStyle(const CHtmlDocument& document, CHtmlFonts& fonts);
    CHtmlStyle(const CHtmlStyle&) = delete;
    CHtmlStyle& operator=(const CHtmlStyle&) = delete;

    // The page's style, from its body: the text and link colours, the background colour
    // (crFill), its margin and indents, the default font.
    CHtmlComputedStyle Page();
    // An element's style: what its parent passes on, then its tag's traits and its attributes.
    CHtmlComputedStyle Element(int nNode, const CHtmlComputedStyle& parent);

private:
    void Fonts(int nNode, HtmlTag nTag, CHtmlComputedStyle& style) const;
    void Blocks(int nNode, HtmlTag nTag, const CHtmlComputedStyle& parent, CHtmlComputedStyle& style) const;
    void Tables(int nNode, HtmlTag nTag, const CHtmlComputedStyle& parent, CHtmlComputedStyle& style) const;
    void ImagesAndRules(int nNode, HtmlTag nTag, CHtmlComputedStyle& style) const;
    int Font(const CHtmlComputedStyle& style);

    const CHtmlDocument& m_document;
    CHtmlFonts& m_fonts;
};

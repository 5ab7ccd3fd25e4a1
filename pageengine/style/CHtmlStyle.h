#pragma once
// The style step: the style of each element from its tag's traits, its attributes and its
// parent's style, the way browsers do, then from the page's style sheets and style
// attributes (CCssCascade). The layout asks for an element's style as it meets the
// element, and reads nothing else of its attributes' looks. The texts a style points to
// live as long as the style step.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/style/CCssCascade.h"
#include "pageengine/style/CHtmlComputedStyle.h"
#include <vector>

class CHtmlFonts;

class CHtmlStyle
{
public:
    CHtmlStyle(const CHtmlDocument& document, CHtmlFonts& fonts);
    CHtmlStyle(const CHtmlStyle&) = delete;
    CHtmlStyle& operator=(const CHtmlStyle&) = delete;

    // The page's style, from its <html> and <body>: the text and link colours, the
    // background colour (crFill) and picture, its margin and indents, the default font.
    CHtmlComputedStyle Page();
    // An element's style: what its parent passes on, then its tag's traits and its attributes.
    CHtmlComputedStyle Element(int nNode, const CHtmlComputedStyle& parent);

private:
    // What an element takes from its parent.
    static void Inherit(const CHtmlComputedStyle& parent, CHtmlComputedStyle& style);
    void Fonts(int nNode, HtmlTag nTag, CHtmlComputedStyle& style) const;
    void Blocks(int nNode, HtmlTag nTag, const CHtmlComputedStyle& parent, CHtmlComputedStyle& style) const;
    void Tables(int nNode, HtmlTag nTag, const CHtmlComputedStyle& parent, CHtmlComputedStyle& style) const;
    void ImagesAndRules(int nNode, HtmlTag nTag, CHtmlComputedStyle& style) const;
    int Font(const CHtmlComputedStyle& style);

    struct FontKey
    {
        const char* pszFaces;
        int nPixels;
        bool bBold, bItalic, bUnderline, bPre;
        int nFont;
    };

    const CHtmlDocument& m_document;
    CHtmlFonts& m_fonts;
    CCssCascade m_cascade;
    std::vector<FontKey> m_fontKeys;
};

#pragma once
// The style step: the style of each element from its tag's traits, its attributes and its
// parent's style, the way browsers do, then from the page's style sheets and style
// attributes (CCssCascade). The layout asks for an element's style as it meets the
// element, and reads nothing else of its attributes' looks. The texts a style points to
// live as long as the style step.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/dom/CHtmlTagTraits.h"
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
    // bKeep: the style will be asked for again (the layout measures before it lays out).
    CHtmlComputedStyle Element(int nNode, const CHtmlComputedStyle& parent, bool bKeep = false);

private:
    CHtmlComputedStyle Make(int nNode, const CHtmlComputedStyle& parent);
    // What an element takes from its parent.
    static void Inherit(const CHtmlComputedStyle& parent, CHtmlComputedStyle& style);
    // Whether two parents give their children the same style (all that Make reads of them).
    static bool SameForChildren(const CHtmlComputedStyle& a, const CHtmlComputedStyle& b);
    // The attributes the style step reads, null when the element has none of that name.
    struct Attributes
    {
        const char* pszAlign = nullptr;
        const char* pszBgColor = nullptr;
        const char* pszBorder = nullptr;
        const char* pszCellPadding = nullptr;
        const char* pszCellSpacing = nullptr;
        const char* pszClear = nullptr;
        const char* pszColor = nullptr;
        const char* pszColSpan = nullptr;
        const char* pszFace = nullptr;
        const char* pszHeight = nullptr;
        const char* pszHref = nullptr;
        const char* pszNoShade = nullptr;
        const char* pszNoWrap = nullptr;
        const char* pszSize = nullptr;
        const char* pszVAlign = nullptr;
        const char* pszWidth = nullptr;
    };
    // Reads them in one walk over the element's attributes; most elements have none.
    void ReadAttributes(int nNode, Attributes& attributes) const;
    static void Fonts(const CHtmlNode& node, const CHtmlTagTraits& tag, const Attributes& attributes, CHtmlComputedStyle& style);
    static void Blocks(const CHtmlTagTraits& tag, const Attributes& attributes, const CHtmlComputedStyle& parent,
                       CHtmlComputedStyle& style);
    static void Tables(const CHtmlTagTraits& tag, const Attributes& attributes, const CHtmlComputedStyle& parent,
                       CHtmlComputedStyle& style);
    static void ImagesAndRules(const CHtmlTagTraits& tag, const Attributes& attributes, CHtmlComputedStyle& style);
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
    const CHtmlComputedStyle m_default;
    const Attributes m_noAttributes;
    CCssCascade m_cascade;
    std::vector<FontKey> m_fontKeys;
    // Styles kept to be asked for again, by node: on a page without style sheets or style
    // attributes an element's style follows from its node and its parent's style alone.
    struct Kept
    {
        int nNode = -1;
        CHtmlComputedStyle parent;
        CHtmlComputedStyle style;
    };
    bool m_bKeep;
    const CCssProperties::Declarations m_noDeclarations;
    std::vector<Kept> m_kept;
    std::vector<Kept> m_keptByTag;   // elements without attributes, by tag
};

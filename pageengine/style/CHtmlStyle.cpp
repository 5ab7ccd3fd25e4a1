#include "pageengine/style/CHtmlStyle.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include "pageengine/style/CHtmlFonts.h"

namespace
{
const int kDefaultPixels = 16;
const int kPreformattedPixels = 13;   // preformatted text of the default size
const int kBodyMargin = 8;
const COLORREF kNoShadeGrey = RGB(128, 128, 128);   // a rule drawn flat without a colour
const size_t kMaxFontKeys = 256;   // fonts remembered by what asked for them
const size_t kKeptStyles = 64;      // styles kept to be asked for again, one per node modulo this

// A colour attribute: "#RRGGBB", as most pages write them, without the general steps.
bool ReadColor(const char* pszValue, COLORREF* pcr)
{
    if (!pszValue || pszValue[0] != '#')
        return CHtmlAttributes::Color(pszValue, pcr);
    int anDigits[6];
    for (int i = 0; i < 6; ++i)
        if ((anDigits[i] = CHtmlAttributes::HexDigit(pszValue[i + 1])) < 0)
            return CHtmlAttributes::Color(pszValue, pcr);
    if (pszValue[7] != '\0')
        return CHtmlAttributes::Color(pszValue, pcr);
    *pcr = RGB(anDigits[0] * 16 + anDigits[1], anDigits[2] * 16 + anDigits[3], anDigits[4] * 16 + anDigits[5]);
    return true;
}

// Whether a name is the given one.
bool Named(const char* pszName, const char* pszWanted)
{
    while (*pszWanted && *pszName == *pszWanted) {
        ++pszName;
        ++pszWanted;
    }
    return *pszName == *pszWanted;
}

bool ReadLength(const char* pszValue, CHtmlLength* pLength)
{
    pLength->bGiven = CHtmlAttributes::Length(pszValue, &pLength->nValue, &pLength->bPercent);
    return pLength->bGiven;
}
} // namespace

CHtmlStyle::CHtmlStyle(const CHtmlDocument& document, CHtmlFonts& fonts)
    : m_document(document), m_fonts(fonts), m_cascade(document), m_bKeep(m_cascade.IsEmpty())
{
}

CHtmlComputedStyle CHtmlStyle::Page()
{
    CHtmlComputedStyle style;
    CHtmlAttributes::Color(m_document.BodyAttribute("text"), &style.crText);
    style.crFill = RGB(255, 255, 255);
    style.bFill = CHtmlAttributes::Color(m_document.BodyAttribute("bgcolor"), &style.crFill);
    CHtmlAttributes::Color(m_document.BodyAttribute("link"), &style.crLink);
    style.pszBackground = m_document.BodyAttribute("background");
    style.nMarginTop = style.nMarginBottom = style.nIndentLeft = style.nIndentRight = kBodyMargin;
    // <html> passes on what is inherited, and its background when the body has none.
    CCssProperties properties(m_cascade.Kept());
    CHtmlComputedStyle root = style;
    const CCssProperties::Declarations& html = m_cascade.For(CCssSelector::HTML);
    properties.ApplyFontSize(html, root.nPixels, root);
    properties.Apply(html, root);
    Inherit(root, style);
    style.crFill = root.crFill;
    style.bFill = root.bFill;
    style.pszBackground = root.pszBackground;
    const CCssProperties::Declarations& body = m_cascade.For(CCssSelector::BODY);
    properties.ApplyFontSize(body, root.nPixels, style);
    properties.Apply(body, style);
    if (style.nLineScale > 0)
        style.nLineHeight = (style.nPixels * style.nLineScale + 50) / 100;
    style.nFont = Font(style);
    return style;
}

CHtmlComputedStyle CHtmlStyle::Element(int nNode, const CHtmlComputedStyle& parent, bool bKeep)
{
    // The cascade counts its steps: with style sheets each style is made as often as asked.
    if (!m_bKeep)
        return Make(nNode, parent);
    const CHtmlNode& node = m_document.Node(nNode);
    if (node.nAttributes == 0) {
        // Nothing but its tag and its parent makes such an element's style: the last one
        // made for its tag serves again for the same parent (the paragraphs of a page, the
        // items of its lists).
        if (m_keptByTag.empty())
            m_keptByTag.resize(TAG_COUNT);
        Kept& kept = m_keptByTag[node.nTag];
        if (kept.nNode < 0 || !SameForChildren(kept.parent, parent)) {
            kept.nNode = nNode;
            kept.parent = parent;
            kept.style = Make(nNode, parent);
        }
        return kept.style;
    }
    if (m_kept.empty())
        m_kept.resize(kKeptStyles);
    Kept& kept = m_kept[static_cast<size_t>(nNode) % kKeptStyles];
    if (kept.nNode == nNode && SameForChildren(kept.parent, parent))
        return kept.style;
    if (!bKeep)
        return Make(nNode, parent);
    kept.nNode = nNode;
    kept.parent = parent;
    kept.style = Make(nNode, parent);
    return kept.style;
}

bool CHtmlStyle::SameForChildren(const CHtmlComputedStyle& a, const CHtmlComputedStyle& b)
{
    return a.pszFaces == b.pszFaces && a.nPixels == b.nPixels && a.bBold == b.bBold && a.bItalic == b.bItalic &&
           a.bUnderline == b.bUnderline && a.bPre == b.bPre && a.nFont == b.nFont && a.crText == b.crText &&
           a.crLink == b.crLink && a.nAlign == b.nAlign && a.nLineHeight == b.nLineHeight && a.nLineScale == b.nLineScale &&
           a.nListDepth == b.nListDepth && a.nLink == b.nLink && a.bAlignGiven == b.bAlignGiven && a.nVAlign == b.nVAlign &&
           a.crFill == b.crFill && a.bFill == b.bFill;
}

CHtmlComputedStyle CHtmlStyle::Make(int nNode, const CHtmlComputedStyle& parent)
{
    const CHtmlNode& node = m_document.Node(nNode);
    const CHtmlTagTraits& tag = CHtmlTagTraits::Of(node.nTag);
    // Copied from a style and attributes made once: cheaper than clearing new ones and
    // setting their defaults (a constant's copy is compiled as just that).
    CHtmlComputedStyle style = m_default;
    Inherit(parent, style);

    // The sheets' font size comes before the tag's margins, which are in the font's size;
    // the rest of the sheets after the tag and its attributes.
    Attributes attributes = m_noAttributes;
    if (node.nAttributes)
        ReadAttributes(nNode, attributes);
    Fonts(node, tag, attributes, style);
    const CCssProperties::Declarations& declarations = m_bKeep ? m_noDeclarations : m_cascade.For(nNode);
    CCssProperties properties(m_cascade.Kept());
    if (!declarations.empty())
        properties.ApplyFontSize(declarations, parent.nPixels, style);
    Blocks(tag, attributes, parent, style);
    Tables(tag, attributes, parent, style);
    ImagesAndRules(tag, attributes, style);
    if (!declarations.empty())
        properties.Apply(declarations, style);
    if (style.nLineScale > 0)
        style.nLineHeight = (style.nPixels * style.nLineScale + 50) / 100;

    // An element that changes nothing of its parent's font keeps it, without a look-up.
    bool bParentFont = style.pszFaces == parent.pszFaces && style.nPixels == parent.nPixels &&
                       style.bBold == parent.bBold && style.bItalic == parent.bItalic &&
                       style.bUnderline == parent.bUnderline && style.bPre == parent.bPre;
    style.nFont = bParentFont ? parent.nFont : Font(style);
    return style;
}

void CHtmlStyle::Inherit(const CHtmlComputedStyle& parent, CHtmlComputedStyle& style)
{
    style.pszFaces = parent.pszFaces;
    style.nPixels = parent.nPixels;
    style.bBold = parent.bBold;
    style.bItalic = parent.bItalic;
    style.bUnderline = parent.bUnderline;
    style.bPre = parent.bPre;
    style.crText = parent.crText;
    style.crLink = parent.crLink;
    style.nAlign = parent.nAlign;
    style.nLineHeight = parent.nLineHeight;
    style.nLineScale = parent.nLineScale;
    style.nListDepth = parent.nListDepth;
    style.nLink = parent.nLink;
}

void CHtmlStyle::ReadAttributes(int nNode, Attributes& attributes) const
{
    // The first of two attributes of the same name counts, as a search would find it.
    auto take = [](const char*& pszTo, const char* pszValue) {
        if (!pszTo)
            pszTo = pszValue;
    };
    m_document.ForEachAttribute(nNode, [&](const char* pszName, const char* pszValue) {
        // By the first letter, then the rest: a call to the C library for each name would
        // cost more than the walk.
        const char* p = pszName + 1;
        switch (pszName[0]) {
        case 'a':
            if (Named(p, "lign"))
                take(attributes.pszAlign, pszValue);
            break;
        case 'b':
            if (Named(p, "gcolor"))
                take(attributes.pszBgColor, pszValue);
            else if (Named(p, "order"))
                take(attributes.pszBorder, pszValue);
            break;
        case 'c':
            if (Named(p, "ellpadding"))
                take(attributes.pszCellPadding, pszValue);
            else if (Named(p, "ellspacing"))
                take(attributes.pszCellSpacing, pszValue);
            else if (Named(p, "lear"))
                take(attributes.pszClear, pszValue);
            else if (Named(p, "olor"))
                take(attributes.pszColor, pszValue);
            else if (Named(p, "olspan"))
                take(attributes.pszColSpan, pszValue);
            break;
        case 'f':
            if (Named(p, "ace"))
                take(attributes.pszFace, pszValue);
            break;
        case 'h':
            if (Named(p, "eight"))
                take(attributes.pszHeight, pszValue);
            else if (Named(p, "ref"))
                take(attributes.pszHref, pszValue);
            break;
        case 'n':
            if (Named(p, "oshade"))
                take(attributes.pszNoShade, pszValue);
            else if (Named(p, "owrap"))
                take(attributes.pszNoWrap, pszValue);
            break;
        case 's':
            if (Named(p, "ize"))
                take(attributes.pszSize, pszValue);
            break;
        case 'v':
            if (Named(p, "align"))
                take(attributes.pszVAlign, pszValue);
            break;
        case 'w':
            if (Named(p, "idth"))
                take(attributes.pszWidth, pszValue);
            break;
        default:
            break;
        }
    });
}

void CHtmlStyle::Fonts(const CHtmlNode& node, const CHtmlTagTraits& tag, const Attributes& attributes, CHtmlComputedStyle& style)
{
    style.bBold = style.bBold || tag.Has(TRAIT_BOLD);
    style.bItalic = style.bItalic || tag.Has(TRAIT_ITALIC);
    style.bUnderline = style.bUnderline || tag.Has(TRAIT_UNDERLINE);
    if (tag.nFontPixels > 0)
        style.nPixels = tag.nFontPixels;
    if (tag.Has(TRAIT_PREFORMATTED)) {
        style.bPre = true;
        if (style.nPixels == kDefaultPixels)
            style.nPixels = kPreformattedPixels;
    }
    if (node.nTag == TAG_FONT) {
        ReadColor(attributes.pszColor, &style.crText);
        CHtmlAttributes::FontPixels(attributes.pszSize, &style.nPixels);
        if (attributes.pszFace)
            style.pszFaces = attributes.pszFace;
    }
    if (tag.Has(TRAIT_LINK)) {
        style.pszHref = attributes.pszHref;
        if (style.pszHref) {
            style.crText = style.crLink;
            style.bUnderline = true;
        }
    }
}

void CHtmlStyle::Blocks(const CHtmlTagTraits& tag, const Attributes& attributes, const CHtmlComputedStyle& parent,
                        CHtmlComputedStyle& style)
{
    style.nMarginTop = style.nMarginBottom = (style.nPixels * tag.nMarginHundredths + 50) / 100;
    style.nIndentLeft = tag.nIndentLeft;
    style.nIndentRight = tag.nIndentRight;
    if (tag.Has(TRAIT_LIST)) {
        // Lists inside lists go without margins.
        if (parent.nListDepth > 0)
            style.nMarginTop = style.nMarginBottom = 0;
        ++style.nListDepth;
    }
    if (tag.nKind != KIND_BLOCK)
        return;
    if (tag.Has(TRAIT_CENTERED))
        style.nAlign = ALIGN_CENTER;
    // A row's alignment comes before its cells' own default.
    if (tag.Has(TRAIT_CELL) && parent.bAlignGiven)
        style.nAlign = parent.nAlign;
    style.bAlignGiven = CHtmlAttributes::Align(attributes.pszAlign, &style.nAlign);
}

void CHtmlStyle::Tables(const CHtmlTagTraits& tag, const Attributes& attributes, const CHtmlComputedStyle& parent,
                        CHtmlComputedStyle& style)
{
    if (tag.Has(TRAIT_TABLE)) {
        // Cells start from the table's font and colour but not from the alignment or the
        // lists around it.
        style.nAlign = ALIGN_LEFT;
        style.nListDepth = 0;
        style.bPlaced = CHtmlAttributes::Align(attributes.pszAlign, &style.nPlacement);
        CHtmlAttributes::Integer(attributes.pszBorder, 0, 20, 1, &style.nBorder);
        CHtmlAttributes::Integer(attributes.pszCellPadding, 0, 100, 0, &style.nPadding);
        CHtmlAttributes::Integer(attributes.pszCellSpacing, 0, 100, 0, &style.nSpacing);
        ReadLength(attributes.pszWidth, &style.width);
        ReadLength(attributes.pszHeight, &style.height);
        style.bFill = ReadColor(attributes.pszBgColor, &style.crFill);
    } else if (tag.Has(TRAIT_ROW)) {
        CHtmlAttributes::VerticalAlign(attributes.pszVAlign, &style.nVAlign);
        style.bFill = ReadColor(attributes.pszBgColor, &style.crFill);
    } else if (tag.Has(TRAIT_CELL)) {
        // A cell takes its row's vertical alignment and background unless it has its own.
        style.nVAlign = parent.nVAlign;
        CHtmlAttributes::VerticalAlign(attributes.pszVAlign, &style.nVAlign);
        style.crFill = parent.crFill;
        style.bFill = ReadColor(attributes.pszBgColor, &style.crFill) || parent.bFill;
        ReadLength(attributes.pszWidth, &style.width);
        ReadLength(attributes.pszHeight, &style.height);
        CHtmlAttributes::Integer(attributes.pszColSpan, 1, HTML_MAX_COLUMNS, 1, &style.nSpan);
        style.bNoWrap = attributes.pszNoWrap != nullptr;
    }
}

void CHtmlStyle::ImagesAndRules(const CHtmlTagTraits& tag, const Attributes& attributes, CHtmlComputedStyle& style)
{
    if (tag.nKind == KIND_IMAGE) {
        ReadLength(attributes.pszWidth, &style.width);
        ReadLength(attributes.pszHeight, &style.height);
        CHtmlAttributes::Integer(attributes.pszBorder, 0, 50, 1, &style.nBorder);
        // left and right float; the other values align it in its line.
        style.bPlaced = CHtmlAttributes::Align(attributes.pszAlign, &style.nPlacement) && style.nPlacement != ALIGN_CENTER;
    } else if (tag.nKind == KIND_BREAK) {
        const char* pszClear = attributes.pszClear;
        HtmlAlign nSide = ALIGN_CENTER;
        if (CHtmlAttributes::Align(pszClear, &nSide) && nSide != ALIGN_CENTER)
            style.nClear = nSide == ALIGN_LEFT ? 1 : 2;
        else if (pszClear && (::lstrcmpiA(pszClear, "all") == 0 || ::lstrcmpiA(pszClear, "both") == 0))
            style.nClear = 3;
    } else if (tag.nKind == KIND_RULE) {
        ReadLength(attributes.pszWidth, &style.width);
        CHtmlAttributes::Integer(attributes.pszSize, 1, 100, 2, &style.nThickness);
        // A rule is centred unless it says otherwise.
        style.nPlacement = ALIGN_CENTER;
        CHtmlAttributes::Align(attributes.pszAlign, &style.nPlacement);
        // A colour or noshade makes it a flat bar instead of a groove.
        style.crFill = kNoShadeGrey;
        style.bFill = ReadColor(attributes.pszColor, &style.crFill) || attributes.pszNoShade != nullptr;
    }
}

int CHtmlStyle::Font(const CHtmlComputedStyle& style)
{
    // Face lists are texts that live as long as the style step: their addresses tell them
    // apart, and a list read once is not read again.
    FontKey key = {style.pszFaces, style.nPixels, style.bBold, style.bItalic, style.bUnderline, style.bPre, 0};
    for (const FontKey& known : m_fontKeys)
        if (known.pszFaces == key.pszFaces && known.nPixels == key.nPixels && known.bBold == key.bBold &&
            known.bItalic == key.bItalic && known.bUnderline == key.bUnderline && known.bPre == key.bPre)
            return known.nFont;
    key.nFont = style.bPre ? m_fonts.GetMonospace(style.nPixels, style.bBold, style.bItalic, style.bUnderline)
                           : m_fonts.Get(style.pszFaces, style.nPixels, style.bBold, style.bItalic, style.bUnderline);
    if (m_fontKeys.size() < kMaxFontKeys)
        m_fontKeys.push_back(key);
    return key.nFont;
}

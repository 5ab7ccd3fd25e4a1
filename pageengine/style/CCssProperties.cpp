#include "pageengine/style/CCssProperties.h"
#include "pageengine/HtmlConstants.h"
#include "pageengine/style/CCssValue.h"
#include <algorithm>

namespace
{
const int kMinimumFontPixels = 1;
const int kThin = 1, kMedium = 3, kThick = 5;   // border widths by name
const double kSizeStep = 1.2;                    // smaller, larger
const int kBoldWeight = 600;                     // the least numeric weight drawn bold

struct Keyword
{
    const char* pszName;
    int nValue;
};
const Keyword kFontSizes[] = {{"xx-small", 9}, {"x-small", 10}, {"small", 13}, {"medium", 16},
                              {"large", 18},   {"x-large", 24},  {"xx-large", 32}};
const Keyword kDisplays[] = {{"none", DISPLAY_NONE}, {"block", DISPLAY_BLOCK}, {"inline", DISPLAY_INLINE},
                             {"inline-block", DISPLAY_INLINE_BLOCK}};
const Keyword kAligns[] = {{"left", ALIGN_LEFT}, {"justify", ALIGN_LEFT}, {"start", ALIGN_LEFT},
                           {"center", ALIGN_CENTER}, {"right", ALIGN_RIGHT}};
const Keyword kVerticalAligns[] = {{"top", -1}, {"middle", 0}, {"bottom", 1}};
const Keyword kBorderWidths[] = {{"thin", kThin}, {"medium", kMedium}, {"thick", kThick}};
const char* const kBorderStyles[] = {"solid", "dotted", "dashed", "double", "groove", "ridge", "inset", "outset"};

template <size_t N> bool Find(const std::string& str, const Keyword (&keywords)[N], int* pnValue)
{
    for (const Keyword& keyword : keywords)
        if (CCssValue::Is(str, keyword.pszName)) {
            *pnValue = keyword.nValue;
            return true;
        }
    return false;
}

// Whether str is a border style: shown (true) or none and hidden (false).
bool BorderStyle(const std::string& str, bool* pbShown)
{
    for (const char* pszStyle : kBorderStyles)
        if (CCssValue::Is(str, pszStyle)) {
            *pbShown = true;
            return true;
        }
    if (!CCssValue::Is(str, "none") && !CCssValue::Is(str, "hidden"))
        return false;
    *pbShown = false;
    return true;
}

bool BorderWidth(const std::string& str, int nEmPixels, int* pnWidth)
{
    double dPixels = 0.0;
    if (Find(str, kBorderWidths, pnWidth))
        return true;
    if (!CCssValue::Length(str, nEmPixels, &dPixels, nullptr) || dPixels < 0)
        return false;
    *pnWidth = CCssValue::Pixels(dPixels, HTML_MAX_LENGTH);
    return true;
}

bool FontWeight(const std::string& str, bool* pbBold)
{
    double dWeight = 0.0;
    std::string strUnit;
    if (CCssValue::Is(str, "bold") || CCssValue::Is(str, "bolder"))
        *pbBold = true;
    else if (CCssValue::Is(str, "normal") || CCssValue::Is(str, "lighter"))
        *pbBold = false;
    else if (CCssValue::Number(str, &dWeight, &strUnit) && strUnit.empty())
        *pbBold = dWeight >= kBoldWeight;
    else
        return false;
    return true;
}

bool FontStyle(const std::string& str, bool* pbItalic)
{
    if (CCssValue::Is(str, "italic") || CCssValue::Is(str, "oblique"))
        *pbItalic = true;
    else if (CCssValue::Is(str, "normal"))
        *pbItalic = false;
    else
        return false;
    return true;
}

bool FontSize(const std::string& str, int nParentPixels, int* pnPixels)
{
    double dPixels = 0.0, dPercent = 0.0;
    int nPixels = 0;
    if (Find(str, kFontSizes, &nPixels))
        dPixels = nPixels;
    else if (CCssValue::Is(str, "smaller"))
        dPixels = nParentPixels / kSizeStep;
    else if (CCssValue::Is(str, "larger"))
        dPixels = nParentPixels * kSizeStep;
    else if (!CCssValue::Length(str, nParentPixels, &dPixels, &dPercent) || dPixels < 0 || dPercent < -1.0)
        return false;
    else if (dPercent >= 0)
        dPixels = nParentPixels * dPercent / 100;
    nPixels = CCssValue::Pixels(dPixels, CSS_MAX_FONT_PIXELS);
    *pnPixels = nPixels < kMinimumFontPixels ? kMinimumFontPixels : nPixels;
    return true;
}

// The font shorthand: [style] [weight] [variant] size[/line-height] family, in parts.
struct FontShorthand
{
    bool bBold = false, bItalic = false;
    std::string strSize, strLineHeight, strFamily;
};

bool ReadFontShorthand(const std::string& strValue, const std::vector<std::string>& parts, FontShorthand* pFont)
{
    size_t i = 0;
    for (; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (!FontStyle(part, &pFont->bItalic) && !FontWeight(part, &pFont->bBold) && !CCssValue::Is(part, "small-caps"))
            break;
    }
    if (i >= parts.size())
        return false;
    pFont->strSize = parts[i++];
    if (i + 1 < parts.size() && parts[i] == "/") {
        pFont->strLineHeight = parts[i + 1];
        i += 2;
    }
    if (i >= parts.size())
        return false;
    // The family is the rest of the value as written, commas and quotes included.
    size_t nFamily = strValue.find(parts[i], strValue.find(pFont->strSize) + pFont->strSize.size());
    pFont->strFamily = nFamily == std::string::npos ? parts[i] : strValue.substr(nFamily);
    return true;
}

void LineHeight(const std::string& strValue, CHtmlComputedStyle& style)
{
    double dNumber = 0.0, dPixels = 0.0, dPercent = 0.0;
    std::string strUnit;
    if (CCssValue::Is(strValue, "normal")) {
        style.nLineHeight = style.nLineScale = 0;
    } else if (CCssValue::Number(strValue, &dNumber, &strUnit) && strUnit.empty() && dNumber >= 0) {
        style.nLineScale = CCssValue::Pixels(dNumber * 100, HTML_MAX_LENGTH);
    } else if (CCssValue::Length(strValue, style.nPixels, &dPixels, &dPercent) && dPixels >= 0 && dPercent >= -1.0) {
        if (dPercent >= 0)
            dPixels = style.nPixels * dPercent / 100;
        style.nLineHeight = CCssValue::Pixels(dPixels, HTML_MAX_LENGTH);
        style.nLineScale = 0;
    }
}
// inherit, initial and unset: taken as what the element has without the declaration, which
// for the inherited properties is its parent's.
bool IsWideKeyword(const std::string& strValue)
{
    return CCssValue::Is(strValue, "inherit") || CCssValue::Is(strValue, "initial") || CCssValue::Is(strValue, "unset");
}
} // namespace

void CCssProperties::ApplyFontSize(const Declarations& declarations, int nParentPixels, CHtmlComputedStyle& style) const
{
    for (const CCssDeclaration* pDeclaration : declarations) {
        if (IsWideKeyword(pDeclaration->strValue))
            continue;
        if (pDeclaration->nProperty == CSS_FONT_SIZE) {
            FontSize(pDeclaration->strValue, nParentPixels, &style.nPixels);
        } else if (pDeclaration->nProperty == CSS_FONT) {
            FontShorthand font;
            if (ReadFontShorthand(pDeclaration->strValue, pDeclaration->parts, &font))
                FontSize(font.strSize, nParentPixels, &style.nPixels);
        }
    }
}

void CCssProperties::Apply(const Declarations& declarations, CHtmlComputedStyle& style) const
{
    Borders borders;
    for (const CCssDeclaration* pDeclaration : declarations) {
        const std::string& strValue = pDeclaration->strValue;
        if (IsWideKeyword(strValue))
            continue;
        const std::vector<std::string>& parts = pDeclaration->parts;
        if (parts.empty())
            continue;
        const std::string& first = parts[0];
        int nValue = 0;
        CssProperty nProperty = pDeclaration->nProperty;
        switch (nProperty) {
        case CSS_COLOR:
            CCssValue::Color(first, &style.crText);
            break;
        case CSS_BACKGROUND:
        case CSS_BACKGROUND_COLOR:
        case CSS_BACKGROUND_IMAGE:
            Background(parts, nProperty, style);
            break;
        case CSS_FONT:
            Font(*pDeclaration, style);
            break;
        case CSS_FONT_FAMILY:
            style.pszFaces = Keep(strValue);
            break;
        case CSS_FONT_WEIGHT:
            FontWeight(first, &style.bBold);
            break;
        case CSS_FONT_STYLE:
            FontStyle(first, &style.bItalic);
            break;
        case CSS_TEXT_ALIGN:
            if (Find(first, kAligns, &nValue)) {
                style.nAlign = static_cast<HtmlAlign>(nValue);
                style.bAlignGiven = true;
            }
            break;
        case CSS_TEXT_DECORATION:
            for (const std::string& part : parts)
                if (CCssValue::Is(part, "underline") || CCssValue::Is(part, "none"))
                    style.bUnderline = CCssValue::Is(part, "underline");
            break;
        case CSS_LINE_HEIGHT:
            LineHeight(first, style);
            break;
        case CSS_MARGIN:
        case CSS_PADDING:
            Edges(parts, 0, 4, nProperty, style);
            break;
        case CSS_MARGIN_TOP: case CSS_MARGIN_RIGHT: case CSS_MARGIN_BOTTOM: case CSS_MARGIN_LEFT:
            Edges(parts, nProperty - CSS_MARGIN_TOP, 1, CSS_MARGIN, style);
            break;
        case CSS_PADDING_TOP: case CSS_PADDING_RIGHT: case CSS_PADDING_BOTTOM: case CSS_PADDING_LEFT:
            Edges(parts, nProperty - CSS_PADDING_TOP, 1, CSS_PADDING, style);
            break;
        case CSS_BORDER:
            Border(parts, 0, 4, borders, style);
            break;
        case CSS_BORDER_TOP: case CSS_BORDER_RIGHT: case CSS_BORDER_BOTTOM: case CSS_BORDER_LEFT:
            Border(parts, nProperty - CSS_BORDER_TOP, 1, borders, style);
            break;
        case CSS_BORDER_WIDTH:
        case CSS_BORDER_STYLE:
        case CSS_BORDER_COLOR:
            for (size_t i = 0; i < 4 && !parts.empty(); ++i) {
                // 1 to 4 values, as margins take them.
                size_t nPart = parts.size() == 1 ? 0 : parts.size() == 2 ? i % 2 : parts.size() == 3 && i == 3 ? 1 : i;
                const std::string& part = parts[std::min(nPart, parts.size() - 1)];
                bool bRead = nProperty == CSS_BORDER_WIDTH ? BorderWidth(part, style.nPixels, &borders.anWidth[i])
                           : nProperty == CSS_BORDER_STYLE ? BorderStyle(part, &borders.abShown[i])
                                                           : i == 0 && CCssValue::Color(part, &style.crBorder);
                borders.bSet = borders.bSet || (bRead && nProperty != CSS_BORDER_COLOR);
                borders.bColor = borders.bColor || (bRead && nProperty == CSS_BORDER_COLOR);
            }
            break;
        case CSS_WIDTH:
            BoxLength(first, style.nPixels, style.width);
            break;
        case CSS_HEIGHT:
            BoxLength(first, style.nPixels, style.height);
            break;
        case CSS_DISPLAY:
            if (Find(first, kDisplays, &nValue))
                style.nDisplay = static_cast<HtmlDisplay>(nValue);
            break;
        case CSS_VERTICAL_ALIGN:
            Find(first, kVerticalAligns, &style.nVAlign);
            break;
        case CSS_FONT_SIZE:
            break;   // already applied
        }
    }
    if (borders.bSet) {
        int* anSide[4] = {&style.border.nTop, &style.border.nRight, &style.border.nBottom, &style.border.nLeft};
        for (int i = 0; i < 4; ++i)
            *anSide[i] = borders.abShown[i] ? borders.anWidth[i] : 0;
    }
    // A border without a colour of its own takes the text's.
    if (borders.bSet && !borders.bColor)
        style.crBorder = style.crText;
}

void CCssProperties::Background(const std::vector<std::string>& parts, CssProperty nProperty, CHtmlComputedStyle& style) const
{
    // The shorthand sets what it does not name back to none.
    COLORREF crFill = style.crFill;
    bool bFill = false, bColor = false, bPicture = false;
    const char* pszPicture = nullptr;
    for (const std::string& part : parts) {
        std::string strAddress;
        if (CCssValue::Url(part, &strAddress)) {
            pszPicture = Keep(strAddress);
            bPicture = true;
        } else if (CCssValue::Is(part, "none")) {
            bPicture = true;
        } else if (CCssValue::Is(part, "transparent")) {
            bColor = true;
        } else if (CCssValue::Color(part, &crFill)) {
            bFill = bColor = true;
        }
    }
    // A shorthand of nothing understood is skipped; background-color and background-image
    // read one value of their own kind.
    bool bOne = parts.size() == 1;
    bool bShorthand = nProperty == CSS_BACKGROUND && (bColor || bPicture);
    if (bShorthand || (nProperty == CSS_BACKGROUND_COLOR && bOne && bColor)) {
        style.crFill = crFill;
        style.bFill = bFill;
    }
    if (bShorthand || (nProperty == CSS_BACKGROUND_IMAGE && bOne && bPicture))
        style.pszBackground = pszPicture;
}

void CCssProperties::Font(const CCssDeclaration& declaration, CHtmlComputedStyle& style) const
{
    FontShorthand font;
    if (!ReadFontShorthand(declaration.strValue, declaration.parts, &font))
        return;
    style.bBold = font.bBold;
    style.bItalic = font.bItalic;
    style.pszFaces = Keep(font.strFamily);
    style.nLineHeight = style.nLineScale = 0;
    if (!font.strLineHeight.empty())
        LineHeight(font.strLineHeight, style);
}

void CCssProperties::Edges(const std::vector<std::string>& parts, int nFirstSide, int nSides, CssProperty nProperty,
                           CHtmlComputedStyle& style) const
{
    if (parts.size() > static_cast<size_t>(nSides))
        return;
    // Every part must read, or the declaration is skipped whole.
    int anPixels[4] = {};
    bool abAuto[4] = {}, abPercent[4] = {};
    for (size_t i = 0; i < parts.size(); ++i) {
        double dPixels = 0.0, dPercent = 0.0;
        abAuto[i] = nProperty == CSS_MARGIN && CCssValue::Is(parts[i], "auto");
        if (abAuto[i])
            continue;
        if (!CCssValue::Length(parts[i], style.nPixels, &dPixels, &dPercent) || (nProperty == CSS_PADDING && (dPixels < 0 || dPercent < -1.0)))
            return;
        // Percentages are of a width the style step does not know: they leave the side as it is.
        abPercent[i] = dPercent >= 0;
        anPixels[i] = dPixels < 0 ? 0 : CCssValue::Pixels(dPixels, HTML_MAX_LENGTH);
    }
    for (int nSide = nFirstSide; nSide < nFirstSide + nSides; ++nSide) {
        size_t n = parts.size();
        size_t i = nSides == 1 ? 0 : n == 1 ? 0 : n == 2 ? nSide % 2 : n == 3 && nSide == 3 ? 1 : static_cast<size_t>(nSide);
        if (abPercent[i])
            continue;
        int nPixels = abAuto[i] ? 0 : anPixels[i];
        if (nProperty == CSS_PADDING) {
            int* anSide[4] = {&style.padding.nTop, &style.padding.nRight, &style.padding.nBottom, &style.padding.nLeft};
            *anSide[nSide] = nPixels;
        } else if (nSide == 0) {
            style.nMarginTop = nPixels;
        } else if (nSide == 2) {
            style.nMarginBottom = nPixels;
        } else {
            (nSide == 1 ? style.nIndentRight : style.nIndentLeft) = nPixels;
            (nSide == 1 ? style.bAutoRight : style.bAutoLeft) = abAuto[i];
        }
    }
}

void CCssProperties::Border(const std::vector<std::string>& parts, int nFirstSide, int nSides, Borders& borders,
                            CHtmlComputedStyle& style)
{
    int nWidth = kMedium;
    bool bShown = false, bColor = false;
    COLORREF crBorder = style.crBorder;
    for (const std::string& part : parts) {
        if (!BorderWidth(part, style.nPixels, &nWidth) && !BorderStyle(part, &bShown)) {
            if (!CCssValue::Color(part, &crBorder))
                return;
            bColor = true;
        }
    }
    for (int nSide = nFirstSide; nSide < nFirstSide + nSides; ++nSide) {
        borders.anWidth[nSide] = nWidth;
        borders.abShown[nSide] = bShown;
    }
    borders.bSet = true;
    borders.bColor = nSides == 4 ? bColor : borders.bColor || bColor;
    style.crBorder = crBorder;
}

void CCssProperties::BoxLength(const std::string& strValue, int nEmPixels, CHtmlLength& length)
{
    double dPixels = 0.0, dPercent = 0.0;
    if (CCssValue::Is(strValue, "auto")) {
        length = CHtmlLength();
    } else if (CCssValue::Length(strValue, nEmPixels, &dPixels, &dPercent) && dPixels >= 0 && dPercent >= -1.0) {
        length.bGiven = true;
        length.bPercent = dPercent >= 0;
        length.nValue = CCssValue::Pixels(length.bPercent ? std::min(dPercent, 100.0) : dPixels, HTML_MAX_LENGTH);
    }
}

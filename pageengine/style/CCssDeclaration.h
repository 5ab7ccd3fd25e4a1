#pragma once
// One declaration of a style sheet or a style attribute: a property the style step reads,
// its value as written (blanks at its ends and "!important" taken off), split once into its
// parts, and its weight.
#include <string>
#include <vector>

// The sides of the four-sided properties follow each other in this order: top, right,
// bottom, left.
enum CssProperty : unsigned char
{
    CSS_COLOR,
    CSS_BACKGROUND, CSS_BACKGROUND_COLOR, CSS_BACKGROUND_IMAGE,
    CSS_FONT, CSS_FONT_FAMILY, CSS_FONT_SIZE, CSS_FONT_WEIGHT, CSS_FONT_STYLE,
    CSS_TEXT_ALIGN, CSS_TEXT_DECORATION, CSS_LINE_HEIGHT,
    CSS_MARGIN, CSS_MARGIN_TOP, CSS_MARGIN_RIGHT, CSS_MARGIN_BOTTOM, CSS_MARGIN_LEFT,
    CSS_PADDING, CSS_PADDING_TOP, CSS_PADDING_RIGHT, CSS_PADDING_BOTTOM, CSS_PADDING_LEFT,
    CSS_BORDER, CSS_BORDER_TOP, CSS_BORDER_RIGHT, CSS_BORDER_BOTTOM, CSS_BORDER_LEFT,
    CSS_BORDER_WIDTH, CSS_BORDER_STYLE, CSS_BORDER_COLOR,
    CSS_WIDTH, CSS_HEIGHT, CSS_DISPLAY, CSS_VERTICAL_ALIGN,
};

struct CCssDeclaration
{
    CssProperty nProperty = CSS_COLOR;
    bool bImportant = false;
    std::string strValue;
    std::vector<std::string> parts;   // of the value, as CCssValue::Parts splits it
};

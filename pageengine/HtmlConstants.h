#pragma once
// The page language of the built-in page view: the elements it knows (their traits are in
// CHtmlTagTraits) and the limits that keep the work for any page bounded, whatever the page
// holds.
#include <cstddef>

enum HtmlTag : unsigned char
{
    TAG_TEXT,      // a text node, not an element
    TAG_ROOT,      // the document itself
    TAG_UNKNOWN,   // any other element: its contents are shown as inline text
    TAG_H1, TAG_H2, TAG_H3, TAG_H4, TAG_H5, TAG_H6,
    TAG_P, TAG_DIV, TAG_CENTER, TAG_BLOCKQUOTE, TAG_PRE,
    TAG_UL, TAG_OL, TAG_LI,
    TAG_BR, TAG_HR,
    TAG_TABLE, TAG_TR, TAG_TD, TAG_TH,
    TAG_B, TAG_STRONG, TAG_I, TAG_EM, TAG_U, TAG_FONT, TAG_SPAN,
    TAG_A, TAG_IMG,
    // Read but never part of the element tree.
    TAG_HTML, TAG_HEAD, TAG_BODY, TAG_TITLE, TAG_META, TAG_SCRIPT, TAG_STYLE,
    TAG_THEAD, TAG_TBODY, TAG_TFOOT,
    TAG_VOID_UNKNOWN,   // other elements that never have contents (input, link, ...)
    TAG_COUNT
};

// Open elements nested deeper than this are not opened: their text joins the element
// around them. Keeps every walk over the tree, recursive or not, shallow.
const int HTML_MAX_DEPTH = 100;
// Nodes of one document; past it, tags are skipped and text joins the last text node.
const size_t HTML_MAX_NODES = 200000;
// Attributes kept per element, and characters kept per attribute value.
const size_t HTML_MAX_ATTRIBUTES = 24;
const size_t HTML_MAX_ATTRIBUTE_LENGTH = 2048;
// Bytes of a page file that are read; the rest of a longer file is left out.
const size_t HTML_MAX_FILE_BYTES = 16 * 1024 * 1024;

// Table columns laid out; cells past the last one are not shown.
const int HTML_MAX_COLUMNS = 64;
// Distinct fonts of one page; further combinations use the page's default font.
const int HTML_MAX_FONTS = 48;
// Distinct image files one page loads, the largest side of an image, and the pixels all
// the images of one page may hold; past these an image shows as broken.
const int HTML_MAX_IMAGES = 128;
const int HTML_MAX_IMAGE_SIDE = 4096;
const long long HTML_MAX_IMAGE_PIXELS = 24LL * 1024 * 1024;
// Floating pictures beside one stretch of text; further ones stay in the line.
const size_t HTML_MAX_FLOATS = 64;
// Sizes written in a page (width, height, border, padding...) are held to this.
const int HTML_MAX_LENGTH = 8192;
// Widths and places of a laid-out page, in pixels, are held within plus or minus this, and
// the layout adds and multiplies them in 64 bits: a sum of a few of them always fits an int.
const int HTML_MAX_COORDINATE = 1 << 28;
// Past this column of a preformatted line a tab counts as one blank.
const int HTML_MAX_PRE_COLUMN = 1024;
// Characters of a page's title kept.
const size_t HTML_MAX_TITLE_LENGTH = 256;
// Boxes of one laid-out page and the height of a page in pixels; layout stops there.
const size_t HTML_MAX_BOXES = 1000000;
const int HTML_MAX_PAGE_HEIGHT = 50000000;

// Style sheets: bytes read of one sheet (in the page or linked), the sheets of a page, and
// what is kept of all of them: selectors, declarations, the parts of one selector (a
// selector of more parts matches nothing) and the parts of one value.
const size_t CSS_MAX_SHEET_BYTES = 256 * 1024;
const size_t CSS_MAX_SHEETS = 16;
const size_t CSS_MAX_SELECTORS = 4096;
const size_t CSS_MAX_DECLARATIONS = 16384;
const size_t CSS_MAX_COMPOUNDS = 8;
const size_t CSS_MAX_VALUE_PARTS = 16;
// Declarations read from one style attribute.
const size_t CSS_MAX_INLINE_DECLARATIONS = 64;
// Steps of selector matching for one layout of a page: this many, or as many per node of a
// larger page; past them the sheets set nothing more.
const long long CSS_MAX_MATCH_STEPS = 20000000;
const long long CSS_MAX_MATCH_STEPS_PER_NODE = 256;
// Font sizes a sheet sets are held to this, in pixels.
const int CSS_MAX_FONT_PIXELS = 400;

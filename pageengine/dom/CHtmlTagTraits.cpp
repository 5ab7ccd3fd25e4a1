#include "pageengine/dom/CHtmlTagTraits.h"
#include <cstddef>
#include <cstdint>

namespace
{
// Where the search for an open element to close stops: at the cell or table around it (a
// tag never closes what is open outside the cell it is in), or also at a list or a row.
constexpr unsigned kCell = TRAIT_CELL | TRAIT_TABLE;
constexpr unsigned kList = TRAIT_LIST | TRAIT_CELL | TRAIT_TABLE;
constexpr unsigned kRow = TRAIT_ROW | TRAIT_TABLE;
constexpr unsigned kCloses = TRAIT_CLOSES_PARAGRAPH;

// In the order of HtmlTag.
constexpr CHtmlTagTraits kTags[] = {
//   tag           name          kind         traits                                               start closes/stops    end matches/stops      h  font margin indents
    {TAG_TEXT,     nullptr,      KIND_NONE,   0,                                                   0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_ROOT,     nullptr,      KIND_BLOCK,  0,                                                   0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_UNKNOWN,  nullptr,      KIND_INLINE, 0,                                                   0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_H1,       "h1",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  1, 32, 67,  0,  0},
    {TAG_H2,       "h2",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  2, 24, 83,  0,  0},
    {TAG_H3,       "h3",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  3, 19, 100, 0,  0},
    {TAG_H4,       "h4",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  4, 16, 133, 0,  0},
    {TAG_H5,       "h5",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  5, 13, 167, 0,  0},
    {TAG_H6,       "h6",         KIND_BLOCK,  TRAIT_HEADING | kCloses | TRAIT_BOLD,                0, 0,                 TRAIT_HEADING, kCell,  6, 11, 233, 0,  0},
    {TAG_P,        "p",          KIND_BLOCK,  TRAIT_PARAGRAPH | kCloses,                           0, 0,                 0, kCell,              0, 0,  100, 0,  0},
    {TAG_DIV,      "div",        KIND_BLOCK,  kCloses,                                             0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_CENTER,   "center",     KIND_BLOCK,  kCloses | TRAIT_CENTERED,                            0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_BLOCKQUOTE, "blockquote", KIND_BLOCK, kCloses,                                            0, 0,                 0, kCell,              0, 0,  100, 40, 40},
    {TAG_PRE,      "pre",        KIND_BLOCK,  kCloses | TRAIT_PREFORMATTED,                        0, 0,                 0, kCell,              0, 0,  100, 0,  0},
    {TAG_UL,       "ul",         KIND_BLOCK,  TRAIT_LIST | kCloses,                                0, 0,                 0, kCell,              0, 0,  100, 40, 0},
    {TAG_OL,       "ol",         KIND_BLOCK,  TRAIT_LIST | TRAIT_ORDERED | kCloses,                0, 0,                 0, kCell,              0, 0,  100, 40, 0},
    {TAG_LI,       "li",         KIND_BLOCK,  TRAIT_LIST_ITEM | kCloses,                           TRAIT_LIST_ITEM, kList, 0, kCell,            0, 0,  0,   0,  0},
    {TAG_BR,       "br",         KIND_BREAK,  TRAIT_VOID,                                          0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_HR,       "hr",         KIND_RULE,   TRAIT_VOID | kCloses,                                0, 0,                 0, kCell,              0, 0,  50,  0,  0},
    {TAG_TABLE,    "table",      KIND_TABLE,  TRAIT_TABLE | kCloses,                               0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_TR,       "tr",         KIND_BLOCK,  TRAIT_ROW,                                           0, 0,                 0, TRAIT_TABLE,        0, 0,  0,   0,  0},
    {TAG_TD,       "td",         KIND_BLOCK,  TRAIT_CELL,                                          0, 0,                 TRAIT_CELL, kRow,      0, 0,  0,   0,  0},
    {TAG_TH,       "th",         KIND_BLOCK,  TRAIT_CELL | TRAIT_BOLD | TRAIT_CENTERED,            0, 0,                 TRAIT_CELL, kRow,      0, 0,  0,   0,  0},
    {TAG_B,        "b",          KIND_INLINE, TRAIT_BOLD,                                          0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_STRONG,   "strong",     KIND_INLINE, TRAIT_BOLD,                                          0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_I,        "i",          KIND_INLINE, TRAIT_ITALIC,                                        0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_EM,       "em",         KIND_INLINE, TRAIT_ITALIC,                                        0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_U,        "u",          KIND_INLINE, TRAIT_UNDERLINE,                                     0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_FONT,     "font",       KIND_INLINE, 0,                                                   0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_SPAN,     "span",       KIND_INLINE, 0,                                                   0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_A,        "a",          KIND_INLINE, TRAIT_LINK,                                          TRAIT_LINK, kCell,    0, kCell,              0, 0,  0,   0,  0},
    {TAG_IMG,      "img",        KIND_IMAGE,  TRAIT_VOID,                                          0, 0,                 0, kCell,              0, 0,  0,   0,  0},
    {TAG_HTML,     "html",       KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_HEAD,     "head",       KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_BODY,     "body",       KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_TITLE,    "title",      KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_META,     "meta",       KIND_NONE,   TRAIT_OUTSIDE_TREE | TRAIT_VOID,                     0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_SCRIPT,   "script",     KIND_NONE,   TRAIT_OUTSIDE_TREE | TRAIT_HIDDEN,                   0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_STYLE,    "style",      KIND_NONE,   TRAIT_OUTSIDE_TREE | TRAIT_HIDDEN,                   0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_THEAD,    "thead",      KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_TBODY,    "tbody",      KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_TFOOT,    "tfoot",      KIND_NONE,   TRAIT_OUTSIDE_TREE,                                  0, 0,                 0, 0,                  0, 0,  0,   0,  0},
    {TAG_VOID_UNKNOWN, nullptr,  KIND_NONE,   TRAIT_OUTSIDE_TREE | TRAIT_VOID,                     0, 0,                 0, 0,                  0, 0,  0,   0,  0},
};
constexpr bool InTagOrder()
{
    for (int i = 0; i < TAG_COUNT; ++i)
        if (kTags[i].nTag != i)
            return false;
    return true;
}
static_assert(sizeof(kTags) / sizeof(kTags[0]) == TAG_COUNT && InTagOrder(), "one row per tag, in the order of HtmlTag");

// Elements without contents that the engine does not show (TAG_VOID_UNKNOWN): known, so
// that they never wait for an end tag.
constexpr const char* kVoidUnknownNames[] = {"link",  "input", "area",  "base", "col",      "embed",
                                         "param", "source", "track", "wbr",  "basefont", "frame"};
// The names' table, made once: the names of the tags the engine knows, and those of
// kVoidUnknownNames.
class CTagNames
{
public:
    constexpr CTagNames()
    {
        for (const CHtmlTagTraits& tag : kTags)
            if (tag.pszName)
                Add(tag.pszName, tag.nTag);
        for (const char* pszName : kVoidUnknownNames)
            Add(pszName, TAG_VOID_UNKNOWN);
    }
    constexpr const CHtmlTagTraits::NameSlot* Slots() const { return m_slots; }

private:
    static const size_t kSlots = CHtmlTagTraits::kNameSlots;
    // The names hold no NUL: the key of each is distinct.
    using Key = CHtmlTagTraits::NameKey;
    constexpr void Add(const char* pszName, HtmlTag nTag)
    {
        Key key;
        for (size_t i = 0; pszName[i]; ++i)
            key.Add(i, pszName[i]);
        size_t i = CHtmlTagTraits::NameSlotOf(key);
        while (m_slots[i].nTag != TAG_TEXT)
            i = (i + 1) % kSlots;
        m_slots[i] = {key, nTag};
    }

    CHtmlTagTraits::NameSlot m_slots[kSlots] = {};
};

// Made as the program is compiled.
constexpr CTagNames kNames;
} // namespace

const CHtmlTagTraits* const CHtmlTagTraits::s_pTags = kTags;
const CHtmlTagTraits::NameSlot* const CHtmlTagTraits::s_pNameSlots = kNames.Slots();

HtmlTag CHtmlTagTraits::FromName(const char* pchName, size_t nLength)
{
    NameKey key;
    for (size_t i = 0; i < nLength && i < kKeyChars; ++i)
        key.Add(i, pchName[i]);
    return FromNameKey(key, nLength);
}

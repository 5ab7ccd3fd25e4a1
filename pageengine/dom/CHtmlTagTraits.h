#pragma once
// What the engine knows of each tag, in one table that every stage reads: the reader (the
// tag's name, contents skipped), the tree builder (void elements, which open elements a
// start or end tag closes and what stops the search), the style step (fonts, margins,
// indents, alignment) and the layout (how an element is placed).
#include "pageengine/HtmlConstants.h"
#include <cstdint>
#include <string>

// How the layout places an element.
enum HtmlTagKind : unsigned char
{
    KIND_NONE,     // never an element of the tree
    KIND_INLINE,   // its contents flow in the lines around it
    KIND_BLOCK,    // its contents start on a line of their own and end theirs
    KIND_BREAK,    // ends the line
    KIND_IMAGE,
    KIND_RULE,
    KIND_TABLE,
};

// Traits of a tag. They also name groups of tags: the tree builder's closing rules say which
// groups the element they close, and the elements that stop the search, belong to.
enum HtmlTagTrait : unsigned
{
    TRAIT_PARAGRAPH = 1u << 0,
    TRAIT_HEADING = 1u << 1,
    TRAIT_LIST = 1u << 2,
    TRAIT_ORDERED = 1u << 3,          // a list whose items are numbered
    TRAIT_LIST_ITEM = 1u << 4,
    TRAIT_TABLE = 1u << 5,
    TRAIT_ROW = 1u << 6,
    TRAIT_CELL = 1u << 7,
    TRAIT_LINK = 1u << 8,
    TRAIT_VOID = 1u << 9,             // no contents and no end tag
    TRAIT_OUTSIDE_TREE = 1u << 10,    // read, but never an element of the tree
    TRAIT_HIDDEN = 1u << 11,          // its contents are skipped up to its end tag
    TRAIT_CLOSES_PARAGRAPH = 1u << 12,
    TRAIT_PREFORMATTED = 1u << 13,    // blanks and line feeds kept, in a monospace font
    TRAIT_CENTERED = 1u << 14,        // its lines are centred
    TRAIT_BOLD = 1u << 15,
    TRAIT_ITALIC = 1u << 16,
    TRAIT_UNDERLINE = 1u << 17,
};

struct CHtmlTagTraits
{
    HtmlTag nTag;
    const char* pszName;      // as pages write it, lower-case; null for the engine's own tags
    HtmlTagKind nKind;
    unsigned nTraits;
    // Its start tag closes the nearest open element of the groups nStartCloses, unless an
    // element of the groups nStartStops is open nearer.
    unsigned nStartCloses;
    unsigned nStartStops;
    // Its end tag closes the nearest open element with its tag (with one of the groups
    // nEndMatches, when not 0), unless an element of the groups nEndStops is open nearer.
    unsigned nEndMatches;
    unsigned nEndStops;
    int nHeadingLevel;        // 1 to 6 for headings, else 0
    int nFontPixels;          // the font size it sets, 0 for none
    int nMarginHundredths;    // its margin above and below, in hundredths of its font size
    int nIndentLeft;          // pixels
    int nIndentRight;

    bool Has(unsigned nTraitMask) const { return (nTraits & nTraitMask) != 0; }

    static const CHtmlTagTraits& Of(HtmlTag nTag) { return s_pTags[nTag]; }
    // The tag of a lower-case name; TAG_UNKNOWN for a name the engine does not know.
    static HtmlTag FromName(const std::string& strName) { return FromName(strName.data(), strName.size()); }
    static HtmlTag FromName(const char* pchName, size_t nLength);
    // A name's first kKeyChars characters as two numbers, eight to each, the first in the
    // lowest byte: the reader makes it as it reads a tag's name, so that every tag of a page
    // is found without going over its name again.
    static const size_t kKeyChars = 16;
    struct NameKey
    {
        std::uint64_t nHead = 0, nTail = 0;
        constexpr void Add(size_t nIndex, char ch)
        {
            std::uint64_t nChar = static_cast<unsigned char>(ch);
            if (nIndex < 8)
                nHead |= nChar << (8 * nIndex);
            else if (nIndex < kKeyChars)
                nTail |= nChar << (8 * (nIndex - 8));
        }
    };
    // The tag of a lower-case name of nLength characters, by its key. Every tag of a page
    // is looked up: here, in a table with room enough that most names are found at their
    // first slot, without a call.
    static HtmlTag FromNameKey(const NameKey& key, size_t nLength)
    {
        if (nLength == 0 || nLength > kKeyChars)
            return TAG_UNKNOWN;
        for (size_t i = NameSlotOf(key); s_pNameSlots[i].nTag != TAG_TEXT; i = (i + 1) % kNameSlots)
            if (s_pNameSlots[i].key.nHead == key.nHead && s_pNameSlots[i].key.nTail == key.nTail)
                return s_pNameSlots[i].nTag;
        return TAG_UNKNOWN;
    }
    struct NameSlot
    {
        NameKey key;
        HtmlTag nTag;   // TAG_TEXT for a free slot
    };
    static const size_t kNameSlots = 256;
    static constexpr size_t NameSlotOf(const NameKey& key)
    {
        return static_cast<size_t>(((key.nHead ^ key.nTail) * 0x9E3779B97F4A7C15ull) >> 56);
    }
    // The names' table, kNameSlots long.
    static const NameSlot* const s_pNameSlots;

    // The table, one row per tag in the order of HtmlTag.
    static const CHtmlTagTraits* const s_pTags;
};

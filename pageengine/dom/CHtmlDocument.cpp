#include "pageengine/dom/CHtmlDocument.h"
#include <cstring>
#include <mutex>

namespace
{
// Buffers from this many nodes, or characters of text, are kept: those of pages long
// enough that filling fresh memory weighs on their reading.
const size_t kKeptNodes = 16 * 1024;
const size_t kKeptTextBytes = 64 * 1024;

// The buffers of the last large document to go, for the next one.
struct SpareBuffers
{
    std::mutex lock;
    std::vector<CHtmlNode> nodes;
    std::string texts;
};

SpareBuffers& Spare()
{
    // Never destroyed: a document may go after the end of main.
    static SpareBuffers* s_pSpare = new SpareBuffers;
    return *s_pSpare;
}
} // namespace

CHtmlDocument::CHtmlDocument()
{
    CHtmlNode root;
    root.nTag = TAG_ROOT;
    m_nodes.push_back(root);
}

CHtmlDocument::~CHtmlDocument()
{
    bool bNodes = m_nodes.capacity() >= kKeptNodes, bTexts = m_strTexts.capacity() >= kKeptTextBytes;
    if (!bNodes && !bTexts)
        return;
    SpareBuffers& spare = Spare();
    std::lock_guard<std::mutex> guard(spare.lock);
    if (bNodes)
        spare.nodes.swap(m_nodes);
    if (bTexts)
        spare.texts.swap(m_strTexts);
}

std::string CHtmlDocument::SpareTextRoom()
{
    SpareBuffers& spare = Spare();
    std::lock_guard<std::mutex> guard(spare.lock);
    std::string room;
    room.swap(spare.texts);
    room.clear();
    return room;
}

const char* CHtmlDocument::Attribute(int nIndex, const char* pszName) const
{
    const CHtmlNode& node = Node(nIndex);
    return Find(node.nFirstAttribute, node.nAttributes, pszName);
}

void CHtmlDocument::SetBodyAttributes(const CHtmlTagAttributes& attributes)
{
    m_nBodyFirstAttribute = AddAttributes(attributes);
    m_nBodyAttributes = attributes.Count();
}

const char* CHtmlDocument::BodyAttribute(const char* pszName) const
{
    return Find(m_nBodyFirstAttribute, m_nBodyAttributes, pszName);
}

const char* CHtmlDocument::Find(size_t nFirst, size_t nCount, const char* pszName) const
{
    const char* pszChars = m_strAttributeChars.c_str();
    for (size_t i = nFirst; i < nFirst + nCount; ++i) {
        const char* pszAttribute = pszChars + m_attributes[i].nName;
        if (pszAttribute[0] == pszName[0] && std::strcmp(pszAttribute, pszName) == 0)
            return pszChars + m_attributes[i].nValue;
    }
    return nullptr;
}

void CHtmlDocument::Reserve(size_t nNodes, size_t nTextBytes)
{
    if (nNodes >= kKeptNodes && m_nodes.capacity() < nNodes) {
        SpareBuffers& spare = Spare();
        std::lock_guard<std::mutex> guard(spare.lock);
        if (spare.nodes.capacity() >= nNodes) {
            spare.nodes.assign(m_nodes.begin(), m_nodes.end());
            spare.nodes.swap(m_nodes);
        }
    }
    m_nodes.reserve(nNodes);
    m_strTexts.reserve(nTextBytes);
    // Attributes: more than pages have, an attribute for every other node and their names
    // and values in a quarter of the text's room.
    m_attributes.reserve(nNodes / 2);
    m_strAttributeChars.reserve(nTextBytes / 4);
}

size_t CHtmlDocument::AddAttributes(const CHtmlTagAttributes& attributes)
{
    size_t nFirst = m_attributes.size();
    if (attributes.Count() == 0)
        return nFirst;
    size_t nBase = m_strAttributeChars.size();
    m_strAttributeChars += attributes.Chars();
    for (const CHtmlTagAttributes::Starts& starts : attributes.AllStarts()) {
        m_attributes.emplace_back();
        m_attributes.back().nName = static_cast<unsigned>(nBase + starts.nName);
        m_attributes.back().nValue = static_cast<unsigned>(nBase + starts.nValue);
    }
    return nFirst;
}

void CHtmlDocument::MergeRoomText(int nLast, size_t nLength)
{
    CHtmlNode& last = m_nodes[static_cast<size_t>(nLast)];
    if (last.nText + last.nTextLength != m_nTextBytes) {
        // Its text is not the buffer's last: it moves to the end, before the new text, where
        // it can grow; over the page still to read, the texts first get their own room.
        size_t nOld = last.nTextLength;
        if (m_nTextBytes + nOld + nLength > m_nUnread)
            SeparateTextRoom(m_nTextBytes + nLength);
        if (m_strTexts.size() < m_nTextBytes + nOld + nLength)
            m_strTexts.resize(m_nTextBytes + nOld + nLength);
        char* pch = &m_strTexts[0];
        std::memmove(pch + m_nTextBytes + nOld, pch + m_nTextBytes, nLength);
        std::memcpy(pch + m_nTextBytes, pch + last.nText, nOld);
        last.nText = static_cast<unsigned>(m_nTextBytes);
        m_nTextBytes += nOld;
    }
    last.nTextLength += static_cast<unsigned>(nLength);
    m_nTextBytes += nLength;
}

void CHtmlDocument::SeparateTextRoom(size_t nKeep)
{
    // A page's buffer is only adopted when it is long: moving it keeps its bytes in place.
    m_strPage = std::move(m_strTexts);
    m_strTexts.assign(m_strPage.data(), nKeep);
    m_nUnread = kNotShared;
}

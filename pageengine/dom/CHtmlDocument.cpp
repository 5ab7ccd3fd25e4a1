#include "pageengine/dom/CHtmlDocument.h"
#include <cstring>

namespace
{
const char* Find(const std::vector<std::pair<std::string, std::string>>& attributes, const char* pszName)
{
    for (const auto& attribute : attributes)
        if (attribute.first[0] == pszName[0] && std::strcmp(attribute.first.c_str(), pszName) == 0)
            return attribute.second.c_str();
    return nullptr;
}
} // namespace

CHtmlDocument::CHtmlDocument()
{
    CHtmlNode root;
    root.nTag = TAG_ROOT;
    m_nodes.push_back(std::move(root));
}

const char* CHtmlDocument::Attribute(int nIndex, const char* pszName) const
{
    return Find(Node(nIndex).attributes, pszName);
}

const char* CHtmlDocument::BodyAttribute(const char* pszName) const
{
    return Find(m_bodyAttributes, pszName);
}

int CHtmlDocument::AppendElement(int nParent, HtmlTag nTag, std::vector<std::pair<std::string, std::string>> attributes)
{
    CHtmlNode node;
    node.nTag = nTag;
    node.attributes = std::move(attributes);
    return Append(nParent, std::move(node));
}

int CHtmlDocument::AppendText(int nParent, const std::string& strText)
{
    CHtmlNode node;
    node.strText = strText;
    return Append(nParent, std::move(node));
}

void CHtmlDocument::AppendOrMergeText(int nParent, const std::string& strText)
{
    int nLast = Node(nParent).nLastChild;
    if (nLast >= 0 && m_nodes[static_cast<size_t>(nLast)].nTag == TAG_TEXT)
        m_nodes[static_cast<size_t>(nLast)].strText += strText;
    else
        AppendText(nParent, strText);
}

int CHtmlDocument::Append(int nParent, CHtmlNode&& node)
{
    int nIndex = static_cast<int>(m_nodes.size());
    node.nParent = nParent;
    m_nodes.push_back(std::move(node));
    CHtmlNode& parent = m_nodes[static_cast<size_t>(nParent)];
    if (parent.nLastChild >= 0)
        m_nodes[static_cast<size_t>(parent.nLastChild)].nNext = nIndex;
    else
        parent.nFirstChild = nIndex;
    parent.nLastChild = nIndex;
    return nIndex;
}

#pragma once
// The one kind of document: it holds no data and stores nothing. It exists to place the
// start page: creating one also creates the page frame through the application's page
// template.
#include "framework/docview/CDocument.h"

class CKeloDoc : public CDocument
{
    KELO_DECLARE_DYNCREATE(CKeloDoc)
    KELO_DECLARE_MESSAGE_MAP()

public:
    ~CKeloDoc() override;
    // Writes and reads nothing.
    void Serialize(CArchive& ar) override;
    // The framework's new document, then the page frame, recorded in m_pPageFrame of the
    // application (null when it could not be made). Always TRUE.
    BOOL OnNewDocument() override;
};

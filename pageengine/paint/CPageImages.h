#pragma once
// The pictures of one page, each file decoded once however often the page shows it, within
// the page's budget of HTML_MAX_IMAGES files and HTML_MAX_IMAGE_PIXELS pixels. Made, used
// and destroyed on one thread, which it initialises for COM while it lives.
#include "framework/core/ScopedWin.h"
#include "pageengine/io/CKioskFolder.h"
#include "pageengine/paint/CWicImage.h"
#include <wincodec.h>
#include <memory>
#include <string>
#include <vector>

class CPageImages
{
public:
    CPageImages() = default;
    CPageImages(const CPageImages&) = delete;
    CPageImages& operator=(const CPageImages&) = delete;

    // The picture of a file (a full path), or -1 when it cannot be shown. Only pictures
    // the kiosk folder lets the page read are decoded, from their bytes.
    int Load(const std::string& strPath);
    const CWicImage& Image(int nImage) const { return *m_images[static_cast<size_t>(nImage)]; }
    // Forgets every picture, for the next page, whose pictures must lie in kiosk.
    void Clear(const CKioskFolder& kiosk);

private:
    CKioskFolder m_kiosk;
    ScopedComInitialize m_com;
    ScopedComPtr<IWICImagingFactory> m_factory;
    std::vector<std::pair<std::string, int>> m_paths;   // every path asked for, and its picture
    std::vector<std::unique_ptr<CWicImage>> m_images;
    long long m_nPixels = 0;
};

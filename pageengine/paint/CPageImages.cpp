#include "pageengine/paint/CPageImages.h"
#include "pageengine/HtmlConstants.h"

int CPageImages::Load(const std::string& strPath)
{
    for (const auto& known : m_paths)
        if (::lstrcmpiA(known.first.c_str(), strPath.c_str()) == 0)
            return known.second;
    if (m_paths.size() >= static_cast<size_t>(HTML_MAX_IMAGES))
        return -1;
    if (!m_factory) {
        m_com.Initialize();
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           m_factory.PutVoid());
    }
    int nImage = -1;
    std::string bytes;
    auto image = std::make_unique<CWicImage>();
    if (m_kiosk.ReadFile(strPath, HTML_MAX_FILE_BYTES, bytes) &&
        image->Load(m_factory.Get(), bytes, HTML_MAX_IMAGE_PIXELS - m_nPixels)) {
        m_nPixels += static_cast<long long>(image->Width()) * image->Height();
        nImage = static_cast<int>(m_images.size());
        m_images.push_back(std::move(image));
    }
    m_paths.emplace_back(strPath, nImage);
    return nImage;
}

void CPageImages::Clear(const CKioskFolder& kiosk)
{
    m_kiosk = kiosk;
    m_paths.clear();
    m_images.clear();
    m_nPixels = 0;
}

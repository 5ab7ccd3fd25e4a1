#include "startpage/CPageImages.h"
#include "startpage/HtmlConstants.h"
#include <windows.h>

int CPageImages::Load(const std::string& strPath)
{
    for (const auto& known : m_paths)
        if (::lstrcmpiA(known.first.c_str(), strPath.c_str()) == 0)
            return known.second;
    if (m_paths.size() >= static_cast<size_t>(HTML_MAX_IMAGES))
        return -1;
    int nImage = -1;
    auto image = std::make_unique<CWicImage>();
    if (image->Load(strPath.c_str(), HTML_MAX_IMAGE_PIXELS - m_nPixels)) {
        m_nPixels += static_cast<long long>(image->Width()) * image->Height();
        nImage = static_cast<int>(m_images.size());
        m_images.push_back(std::move(image));
    }
    m_paths.emplace_back(strPath, nImage);
    return nImage;
}

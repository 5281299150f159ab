#include "core/copy_identity.h"

#include "core/product_profile.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

bool IsProductOrSetupImage(const std::string& imageName, const std::string& ownImageName)
{
    const std::string name = Lower(imageName);
    if (name.empty()) return false;
    const std::string uninstaller = Lower(ProductProfile::uninstallerPath + 1);
    const std::string tempPrefix = ProductProfile::temporaryUninstallerPrefix;
    const bool temporaryCopy = name.size() > tempPrefix.size() + 4 && name.compare(0, tempPrefix.size(), tempPrefix) == 0 &&
                               name.compare(name.size() - 4, 4, ".tmp") == 0;
    return name == Lower(ProductProfile::mainExecutable) || name == Lower(ownImageName) || name == uninstaller ||
           temporaryCopy;
}

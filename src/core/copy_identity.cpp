#include "core/copy_identity.h"

#include "core/product_profile.h"
#include "core/text.h"

#include <string>

bool IsProductOrSetupImage(const std::string& imageName, const std::string& ownImageName)
{
    const std::string name = ToLower(imageName);
    if (name.empty()) return false;
    const std::string uninstaller = ToLower(ProductProfile::uninstallerPath + 1);
    const std::string tempPrefix = ProductProfile::temporaryUninstallerPrefix;
    const bool temporaryCopy =
        name.size() > tempPrefix.size() + 4 && StartsWith(name, tempPrefix) && EndsWithIgnoringCase(name, ".tmp");
    return name == ToLower(ProductProfile::mainExecutable) || name == ToLower(ownImageName) || name == uninstaller ||
           temporaryCopy;
}

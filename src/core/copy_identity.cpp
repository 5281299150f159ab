#include "core/copy_identity.h"

#include "core/product_profile.h"
#include "core/text.h"

#include <string>

bool IsTemporaryCopyName(const std::string& name)
{
    const std::string prefix = ProductProfile::temporaryUninstallerPrefix;
    return name.size() > prefix.size() + 4 && StartsWith(ToLower(name), prefix) && EndsWithIgnoringCase(name, ".tmp");
}

bool IsProductOrSetupImage(const std::string& imageName, const std::string& ownImageName)
{
    const std::string name = ToLower(imageName);
    if (name.empty()) return false;
    const std::string uninstaller = ToLower(ProductProfile::uninstallerPath + 1);
    return name == ToLower(ProductProfile::mainExecutable) || name == ToLower(ownImageName) || name == uninstaller ||
           IsTemporaryCopyName(name);
}

#include "win/resource_module.h"

namespace {

HINSTANCE resourceModule = nullptr;

}  // namespace

HINSTANCE ResourceModule()
{
    return resourceModule != nullptr ? resourceModule : GetModuleHandleA(nullptr);
}

void SetResourceModule(HINSTANCE module)
{
    resourceModule = module;
}

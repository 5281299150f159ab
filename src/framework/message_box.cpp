#include "framework/message_box.h"

#include "core/message_box_icon.h"
#include "framework/application.h"

int AppMessageBox(const std::string& text, UINT type)
{
    std::string caption = ApplicationTitle();
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), WithDefaultIcon(type));
}

#include "wizard/ready_page.h"

#include "core/resource_ids.h"

ReadyPage::ReadyPage(HWND frame) : Dialog(IDD_READY, frame) {}

#include "framework/message_box_icon.h"

#include <gtest/gtest.h>

namespace {

// Win32 values, as the rule is given them.
constexpr unsigned mbOk = 0x0, mbOkCancel = 0x1, mbAbortRetryIgnore = 0x2, mbYesNoCancel = 0x3,
                   mbYesNo = 0x4, mbRetryCancel = 0x5, mbCancelTryContinue = 0x6;
constexpr unsigned mbIconHand = 0x10, mbIconQuestion = 0x20, mbIconExclamation = 0x30,
                   mbIconAsterisk = 0x40;
constexpr unsigned mbDefButton2 = 0x100, mbTopmost = 0x40000;

struct IconCase {
    const char* what;
    unsigned type;
    unsigned expected;
};

TEST(WithDefaultIcon, AddsTheExclamationOnlyToPlainBoxesOfFourKinds)
{
    const IconCase cases[] = {
        {"OK", mbOk, mbOk | mbIconExclamation},
        {"OK/Cancel", mbOkCancel, mbOkCancel | mbIconExclamation},
        {"Yes/No/Cancel", mbYesNoCancel, mbYesNoCancel | mbIconExclamation},
        {"Yes/No", mbYesNo, mbYesNo | mbIconExclamation},
        {"Yes/No, other flags kept", mbYesNo | mbDefButton2 | mbTopmost,
         mbYesNo | mbDefButton2 | mbTopmost | mbIconExclamation},
        {"Abort/Retry/Ignore untouched", mbAbortRetryIgnore, mbAbortRetryIgnore},
        {"Retry/Cancel untouched", mbRetryCancel, mbRetryCancel},
        {"Cancel/Try/Continue untouched", mbCancelTryContinue, mbCancelTryContinue},
        {"question kept", mbYesNo | mbIconQuestion | mbDefButton2, mbYesNo | mbIconQuestion | mbDefButton2},
        {"hand kept", mbOk | mbIconHand, mbOk | mbIconHand},
        {"information kept", mbOk | mbIconAsterisk, mbOk | mbIconAsterisk},
        {"exclamation not doubled", mbOkCancel | mbIconExclamation, mbOkCancel | mbIconExclamation},
    };
    for (const IconCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, WithDefaultIcon(c.type));
    }
}

}  // namespace

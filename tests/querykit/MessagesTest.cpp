// The library's standard warnings are the runtime table's, word for word, for every number.
#include <algorithm>

#include <gtest/gtest.h>

#include "querykit/qwizard/Messages.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "runtime/warnings/WarningTable.h"

namespace qk::test {
namespace {

TEST(Messages, EveryStandardWarningIsTheRuntimeTablesOwn) {
    cdz::ScriptedDialogs dialogs;
    Messages messages;
    messages.setDialogs(&dialogs);
    messages.setHaltHandler([](std::string_view) {});
    const cdz::ErrorState error{cdz::err::kDuplicateKey, "Creates Duplicate Key", 0, ""};
    for (int n = cdz::kFirstWarning; n <= cdz::kLastWarning; ++n) {
        SCOPED_TRACE(n);
        messages.warning(static_cast<cdz::Warning>(n), error, "XRQW_Queries   ");
        const cdz::WarningMessage expected = cdz::warningMessage(
            n, "XRQW_Queries", {}, "Creates Duplicate Key (40)", cdz::err::kDuplicateKey);
        // The box, before the halt that the fatal ones add.
        const auto& records = dialogs.shown();
        auto box = std::find_if(records.rbegin(), records.rend(),
                                [](const auto& r) { return r.kind == cdz::DialogKind::Message; });
        ASSERT_NE(box, records.rend());
        const cdz::DialogRecord& shown = *box;
        EXPECT_FALSE(shown.text.empty());
        EXPECT_EQ(shown.title, expected.title);
        EXPECT_EQ(shown.text, expected.text);
        EXPECT_EQ(shown.buttons, expected.buttons);
        EXPECT_EQ(shown.defaultButton, expected.defaultButton);
    }
}

}  // namespace
}  // namespace qk::test

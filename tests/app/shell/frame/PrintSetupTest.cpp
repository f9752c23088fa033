// File > Print Setup keeps a confirmed set-up for the next run of the program.
#include <QDialog>
#include <QPrinter>

#include <gtest/gtest.h>

#include "app/shell/frame/PrintSetup.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(PrintSetup, AConfirmedSetUpIsKeptAcrossARestartACancelledOneIsNot) {
    for (const bool confirm : {true, false}) {
        StateFixture f;
        const QString file = QString::fromStdString(f.dir.file("night.pdf"));
        QPrinter& printer = f.state->printer();
        printer.setOutputFileName(file);
        printer.setCopyCount(3);
        QDialog* dialog = PrintSetup::open(printer, f.state->settingsFile(), nullptr);
        confirm ? dialog->accept() : dialog->reject();
        settle();

        f.state = std::make_unique<AppState>(f.dir.path(), std::make_unique<ScriptedDialogs>());
        EXPECT_EQ(f.state->printer().outputFileName(), confirm ? file : QString()) << confirm;
        EXPECT_EQ(f.state->printer().copyCount(), confirm ? 3 : 1) << confirm;
    }
}

}  // namespace
}  // namespace cdz::test

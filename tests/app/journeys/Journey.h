#pragma once
// The whole program as its entry builds it, over a temporary data folder: every part registered
// as the program registers it, the start-up steps, the frame opened. A journey drives it as a
// person does, through input events on the widgets a person touches; the dialogs are answered
// and logged by the scripted facade, and the files are checked afterwards through the catalogue.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/domain/settings/Settings.h"
#include "app/engine/browse/BrowseList.h"
#include "app/program/Subsystems.h"
#include "app/shell/frame/MainFrame.h"
#include "app/shell/startup/ProgramMain.h"
#include "runtime/data/DataFile.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {

class Journey : public testing::Test {
protected:
    void SetUp() override {
        f_ = std::make_unique<StateFixture>();
        ASSERT_NO_FATAL_FAILURE(start());
    }

    void TearDown() override {
        stop();
        f_.reset();
    }

    // The program closed and started again over the same data folder; `whileClosed` runs in
    // between, as a person moving files about.
    void restart(const std::function<void()>& whileClosed = {}) {
        stop();
        if (whileClosed) whileClosed();
        f_->makeState();
        ASSERT_NO_FATAL_FAILURE(start());
    }

    AppState& state() { return *f_->state; }
    std::filesystem::path dataFolder() const { return f_->dir.path(); }
    ScriptedDialogs& dialogs() { return *f_->dialogs; }
    MainFrame& frame() { return *frame_; }
    Catalogue& catalogue() { return state().catalogue(); }

    // Songs 1..n put straight into the songs file, in one batch: what a journey starts from.
    void addSongs(int n) {
        FileUse files(catalogue(), {CatalogueFile::Cadenzio});
        ASSERT_TRUE(files.ok());
        DataFile& file = catalogue().file(CatalogueFile::Cadenzio);
        ASSERT_EQ(file.stream(), 0);
        for (int i = 1; i <= n; ++i) {
            file.clearBuffer();
            SongRecord& s = catalogue().song();
            s.Artist = "Artist " + std::to_string(i % 997);
            s.Title = "Title " + std::to_string(i);
            s.Album = "Album " + std::to_string(i / 10);
            s.Media = i % 3 ? "CD" : "LP";
            s.ID = i;
            ASSERT_EQ(file.add(), 0);
        }
        ASSERT_EQ(file.flush(), 0);
    }

    int64_t records(CatalogueFile file) {
        FileUse files(catalogue(), {file});
        return files.ok() ? catalogue().file(file).records() : -1;
    }

    // Every data file that opens passes its storage's integrity check.
    void expectFilesCheckOut() {
        for (const CatalogueFileInfo& info : catalogueFiles()) {
            FileUse use(catalogue(), {info.file});
            if (!use.ok()) continue;
            std::string problems;
            EXPECT_EQ(catalogue().file(info.file).check(&problems), 0) << info.label;
            EXPECT_EQ(problems, "") << info.label;
        }
    }

    // A menu item or tool button of the frame, chosen as a person chooses it.
    void choose(const char* action) {
        QAction* a = frame().command(action);
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
        settle();
    }

    // The open window of a procedure (its objectName), nullptr when none is open.
    template <class W = QWidget>
    W* window(const QString& name) {
        for (QWidget* w : QApplication::allWidgets()) {
            if (w->objectName() == name && w->isVisible()) {
                if (auto* typed = qobject_cast<W*>(w)) return typed;
            }
        }
        return nullptr;
    }

    // A modal window (a form run over its caller) is driven from inside its own event loop:
    // `act` runs once the next one is up. Several may be queued; each takes the next window.
    void whenModal(std::function<void(QWidget&)> act) {
        pending_.push_back(std::move(act));
        if (pending_.size() == 1) pollModal();
    }
    bool modalsDone() const { return pending_.empty(); }

    // Dialog texts shown since the mark, as "title: text".
    size_t markDialogs() const { return f_->dialogs->shown().size(); }
    std::vector<std::string> dialogsSince(size_t mark) const {
        std::vector<std::string> out;
        const auto& shown = f_->dialogs->shown();
        for (size_t i = mark; i < shown.size(); ++i)
            out.push_back(shown[i].title + ": " + shown[i].text);
        return out;
    }

    static void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
        settle();
    }
    // A window's button by its object name, and the same clicked.
    static QPushButton* button(QWidget& w, const char* name) {
        auto* b = w.findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name << " in " << w.windowTitle().toStdString();
        return b;
    }
    static void press(QWidget& w, const char* name) { click(button(w, name)); }
    // A row of a browse's list (1-based) clicked as a person clicks it.
    static void clickRow(BrowseList& list, int row) {
        const QRect cell = list.visualRect(list.model()->index(row - 1, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
        settle();
    }
    // Types into an entry as a person does: focus, select what is there, type over it, Tab.
    // Letters beyond ASCII come as a keyboard layout sends them: key events carrying the text.
    static void type(QWidget* w, const QString& text) {
        ASSERT_NE(w, nullptr);
        // A person types into the window in front, whose field has the focus, so that leaving
        // the field is a real change of focus.
        QWidget* window = w->window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window, 2000));
        w->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == w || (focus && focus->focusProxy() == w) || w->focusProxy() == focus)
            << w->objectName().toStdString() << " has no focus; "
            << (focus ? focus->objectName().toStdString() : "nothing") << " has";
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) {
            combo->lineEdit()->selectAll();
        }
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(w, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
        QTest::keyClick(w, Qt::Key_Tab);
    }

private:
    void start() {
        state().showSplash = false;
        addProgramSubsystems(state());
        main_ = std::make_unique<ProgramMain>(state());
        ASSERT_TRUE(main_->startUp());
        // A journey never asks the real title service: where no test's stand-in is named, an
        // address that refuses at once stands for it.
        Settings& settings = state().settings();
        for (std::string* server : {&settings.musicBrainzServer, &settings.coverArtServer})
            if (server->empty()) *server = "http://127.0.0.1:1";
        frame_ = std::make_unique<MainFrame>(state());
        frame_->open();
        frame_->show();
        settle();
    }

    void stop() {
        if (frame_) frame_->close();
        settle();
        frame_.reset();
        main_.reset();
    }

    void pollModal() {
        QTimer::singleShot(20, frame_.get(), [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || pending_.empty()) {
                if (!pending_.empty()) pollModal();
                return;
            }
            if (modal == lastModal_) {
                pollModal();
                return;
            }
            lastModal_ = modal;
            auto act = std::move(pending_.front());
            pending_.erase(pending_.begin());
            // Polling goes on first: the act may open the next window and wait inside it.
            if (!pending_.empty()) pollModal();
            act(*modal);
        });
    }

    std::unique_ptr<StateFixture> f_;
    std::unique_ptr<ProgramMain> main_;
    std::unique_ptr<MainFrame> frame_;
    std::vector<std::function<void(QWidget&)>> pending_;
    QPointer<QWidget> lastModal_;
};

}  // namespace cdz::test

#pragma once
// What the report tests share: a program state over a small catalogue, and the texts a page
// list holds, page by page.
#include <QApplication>
#include <QPageSize>
#include <QProcess>
#include <QSizeF>
#include <QStandardPaths>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine/state/AppState.h"
#include "runtime/report/PageList.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/support/PdfText.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {

struct TestSong {
    const char* artist;
    const char* title = "Song";
    int category = 0;
};

inline void addSongs(AppState& state, const std::vector<TestSong>& songs) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    DataFile& file = c.file(CatalogueFile::Cadenzio);
    ASSERT_EQ(file.stream(), 0);  // one commit for them all
    for (const TestSong& s : songs) {
        file.clearBuffer();
        c.song().Artist = s.artist;
        c.song().Title = s.title;
        c.song().Album = "Album";
        c.song().CategoryID = s.category;
        ASSERT_EQ(file.add(), 0);
    }
    ASSERT_EQ(file.flush(), 0);
    c.release(CatalogueFile::Cadenzio);
}

// The report preview on screen now, or nullptr.
inline PreviewWindow* openPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PreviewWindow*>(w); p && p->isVisible()) return p;
    return nullptr;
}

inline void addCategory(AppState& state, int id, const char* name) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Categories), 0);
    c.category().CategoryID = id;
    c.category().Category = name;
    ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
    c.release(CatalogueFile::Categories);
}

// Every text run of every page, in drawing order.
inline std::vector<std::string> textsOf(const PageList& pages) {
    std::vector<std::string> out;
    for (int i = 0; i < pages.pageCount(); ++i) {
        auto page = pages.page(i);
        if (!page) continue;
        for (const PageItem& item : page->items)
            if (const auto* run = std::get_if<TextRun>(&item))
                out.push_back(run->text.toStdString());
    }
    return out;
}

inline QSizeF letterPaper() {
    return QPageSize(QPageSize::Letter).size(QPageSize::Point);
}

}  // namespace cdz::test

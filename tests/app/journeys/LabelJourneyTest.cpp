// A label made from an album through the label wizard, opened in the label form, previewed and
// printed from there, then printed from the browse: three labels of three albums, the labels
// file and each PDF checked after each.
#include <QPrinter>
#include <QPushButton>

#include "app/engine/browse/BrowseList.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/app/journeys/Journey.h"
#include "tests/support/PdfText.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class LabelJourney : public Journey {
protected:
    void addAlbums() {
        FileUse files(catalogue(), {CatalogueFile::Album, CatalogueFile::Cadenzio});
        ASSERT_TRUE(files.ok());
        for (int a = 1; a <= 3; ++a) {
            catalogue().file(CatalogueFile::Album).clearBuffer();
            catalogue().album().AlbumID = a;
            catalogue().album().Album = "Album " + std::string(1, char('A' + a - 1));
            catalogue().album().Artist = "Artist " + std::string(1, char('A' + a - 1));
            ASSERT_EQ(catalogue().file(CatalogueFile::Album).add(), 0);
            for (int t = 1; t <= 2; ++t) {
                catalogue().file(CatalogueFile::Cadenzio).clearBuffer();
                catalogue().song().ID = a * 10 + t;
                catalogue().song().AlbumID = a;
                catalogue().song().Title = "Track " + std::to_string(a * 10 + t);
                catalogue().song().TrackNumber = static_cast<std::uint8_t>(t);
                ASSERT_EQ(catalogue().file(CatalogueFile::Cadenzio).add(), 0);
            }
        }
    }

    // Presses `name` on `over`, prints the preview that comes up to the PDF file, and gives
    // the PDF's text (none when no file was written).
    QString printThroughPreview(QWidget& over, const char* name, const QString& pdf) {
        QFile::remove(pdf);
        whenModal([](QWidget& preview) { press(preview, "previewPrint"); });
        press(over, name);
        EXPECT_TRUE(modalsDone());
        return QFile::exists(pdf) ? pdfText(pdf) : QString();
    }

    static void pressCaption(QWidget& w, const QString& caption) {
        for (QPushButton* b : w.findChildren<QPushButton*>()) {
            if (b->isVisible() && b->text() == caption) return click(b);
        }
        ADD_FAILURE() << "no button " << caption.toStdString() << " in "
                      << w.windowTitle().toStdString();
    }
};

TEST_F(LabelJourney, AWizardLabelIsPreviewedAndPrintedToAPdf) {
    addAlbums();
    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "label.pdf").string());
    state().printer().setOutputFormat(QPrinter::PdfFormat);
    state().printer().setOutputFileName(pdf);
    choose("actBrowseLabels");
    QWidget* browse = window("BrowseLabels");
    ASSERT_NE(browse, nullptr);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const QString album = QString("Album ") + QChar('A' + round - 1);
        const size_t mark = markDialogs();
        // The wizard, its album picked from the album picker.
        whenModal([&](QWidget& wizard) {
            pressCaption(wizard, "&Select Album");
            pressCaption(wizard, "&Finish");
        });
        whenModal([&](QWidget& picker) {
            auto* list = picker.findChild<BrowseList*>();
            ASSERT_NE(list, nullptr);
            clickRow(*list, round);
            pressCaption(picker, "&Select");
        });
        press(*browse, "WizardButton");
        EXPECT_TRUE(modalsDone());
        EXPECT_EQ(records(CatalogueFile::Labels), round);
        // The label form, its preview printed, then OK; then the browse's Print.
        whenModal([&](QWidget& form) {
            pressCaption(form, "Preview");
            pressCaption(form, "&OK");
        });
        EXPECT_TRUE(printThroughPreview(*browse, "ChangeButton", pdf).contains(album));
        EXPECT_TRUE(printThroughPreview(*browse, "PrintButton", pdf).contains(album));
        EXPECT_EQ(dialogsSince(mark),
                  (std::vector<std::string>{
                      "Processing Complete: The text has been updated to use this information.",
                      "Preview: Do you wish to PREVIEW this Report?"}));
    }
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test

#pragma once
// The help pages shipped with the program: their titles and words, in the order the contents
// page lists them, and the search that finds the pages holding all the words asked for.
#include <vector>

#include <QString>

namespace cdz {

struct HelpPage {
    QString file;   // "songs.html"
    QString title;  // from the page's <title>
    QString text;   // the words as shown
};

class HelpLibrary {
public:
    static constexpr const char* kContents = "contents.html";
    static constexpr const char* kHowToUseHelp = "howtohelp.html";

    // Reads every *.html page of folder (the shipped pages live in ":/help").
    explicit HelpLibrary(const QString& folder = QStringLiteral(":/help"));

    const QString& folder() const { return folder_; }
    // The contents page first, then the pages in the order it links them, then any others.
    const std::vector<HelpPage>& pages() const { return pages_; }
    const HelpPage* page(const QString& file) const;

    // Pages containing every word of the query (case ignored), most mentions first, ties in
    // contents order. No words, no pages.
    std::vector<const HelpPage*> search(const QString& query) const;

private:
    QString folder_;
    std::vector<HelpPage> pages_;
};

}  // namespace cdz

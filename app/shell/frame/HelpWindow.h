#pragma once
// The help window of the Help menu: the help pages with a contents list, a search box that
// lists the pages containing the words typed, Back and Forward, and Close (or Escape).
#include <QWidget>

#include "app/shell/frame/HelpLibrary.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

namespace cdz {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr,
                        const QString& folder = QStringLiteral(":/help"));

    void showContents();  // Help > "&Contents"
    void showSearch();    // Help > "&Search for Help On...": the search box takes the focus
    void showHowTo();     // Help > "&How to Use Help"
    void showPage(const QString& file);

    const HelpLibrary& library() const { return library_; }
    // The page shown ("songs.html").
    QString currentPage() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void findWords(const QString& words);
    void listContents();
    void markFirstWord();
    void bringUp();

    HelpLibrary library_;
    QLineEdit* search_;
    QListWidget* topics_;
    QTextBrowser* text_;
    QToolButton* back_;
    QToolButton* forward_;
};

}  // namespace cdz

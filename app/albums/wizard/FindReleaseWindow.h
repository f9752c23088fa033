#pragma once
// "Find Release...": searches the online title service's releases by the barcode (a scanner
// types it and presses Enter), the catalogue number, or the artist and title, lists at most 25
// candidates (title, artist, format, country, year, label, catalogue number, tracks), and looks
// the chosen one up with its tracks; with the box ticked it fetches the front cover too. While
// the service is asked the window stays live and Cancel (or Escape) ends the wait; every way of
// finding nothing is told and hands nothing over.
#include <QByteArray>
#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

#include "app/albums/cd/ReleaseFinder.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace cdz {

class AppState;

class FindReleaseWindow final : public QDialog {
    Q_OBJECT
public:
    struct Chosen {
        TitleRelease release;
        QByteArray cover;       // the front cover when asked for and found
        std::string coverNote;  // why there is none, when asked for
    };

    // Opens the window with the artist and title boxes filled; the release chosen, or nothing.
    static std::optional<Chosen> run(AppState& state, QWidget* parent, const QString& artist,
                                     const QString& title);
    ~FindReleaseWindow() override;

protected:
    void reject() override;  // while the service is asked: Cancel the request, not the window

private:
    FindReleaseWindow(AppState& state, QWidget* parent);
    void search();
    void use();
    void fetchCover(Chosen& chosen);
    void waiting(bool busy);
    void tell(const std::string& text);
    std::optional<ReleaseQuery> query();

    AppState& state_;
    std::unique_ptr<ReleaseFinder> finder_;
    std::vector<TitleRelease> candidates_;
    std::optional<Chosen> chosen_;
    bool busy_ = false;
    QLineEdit* barcode_ = nullptr;
    QLineEdit* catalogueNumber_ = nullptr;
    QLineEdit* artist_ = nullptr;
    QLineEdit* title_ = nullptr;
    QTableWidget* list_ = nullptr;
    QCheckBox* withCover_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* use_ = nullptr;
};

}  // namespace cdz

#pragma once
// "Generate Play List": the size, the release dates, the category and the weighting of a
// playlist made by random draws, handed to the playlist generator on "&Ok". The window holds
// its files open while it is up; a playlist made closes it. It runs over the playlist browse,
// which waits for it.
#include <QDialog>
#include <cstdint>
#include <memory>
#include <random>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace cdz {

class AppState;
class FileUse;
struct PlaylistGeneratorChoice;

class GenerateWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Generate Play List";

    // `seed` seeds the draws (a test's own); 0 takes one from the system.
    explicit GenerateWindow(AppState& state, uint64_t seed = 0, QWidget* parent = nullptr);
    ~GenerateWindow() override;

    // What the fields say now; false (after telling the user) when a date does not read.
    bool choice(PlaylistGeneratorChoice* out);

signals:
    // A playlist was made: its number.
    void generated(int playlistId);

private:
    void generate();
    // A date field's value: 0 blank, a bare year as typed, else a day number; -1 unreadable.
    int32_t dateOf(const QLineEdit& field) const;

    AppState& state_;
    std::unique_ptr<FileUse> files_;
    std::mt19937_64 random_;
    std::string datePicture_;
    QSpinBox* size_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QComboBox* category_ = nullptr;
    QButtonGroup* weighting_ = nullptr;
};

}  // namespace cdz

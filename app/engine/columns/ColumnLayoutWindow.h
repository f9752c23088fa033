#pragma once
// "Format Listbox...": the window in which the user reshapes a browse's list. The shown
// columns in display order and all columns (the shown ones ticked) side by side; a right click
// hides a shown column or shows a hidden one; buttons move the highlighted column left or right;
// the highlighted column's settings; the list's line height, font and scroll bars; "&Default"
// gives back the design layout. Every change shows in the browse at once. A double click on a
// shown column opens "Format Listbox Column" with that column's settings alone.
#include <QDialog>

#include <cstddef>
#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace cdz {

class AppState;
class ColumnLayout;
class ColumnLayoutView;
class ColumnSettings;

class ColumnLayoutWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlacement = "ColvueFormatBrowseBox";

    // `keepsListPlace`: the browse keeps the list's place and size, which the window then
    // offers.
    ColumnLayoutWindow(AppState& state, ColumnLayoutView& view, bool keepsListPlace,
                       QWidget* parent);

    // Runs the window modally over the browse.
    static void run(AppState& state, ColumnLayoutView& view, bool keepsListPlace, QWidget* parent);

    // The buttons' and right clicks' work, also for the keys.
    void moveLeft();
    void moveRight();
    void showHighlighted();
    void hideHighlighted();
    void resetLayout();
    void chooseFont();
    // Opens "Format Listbox Column" for the highlighted shown column.
    void formatColumn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void build(bool keepsListPlace);
    void makeWidgets();
    QGroupBox* listBox(bool keepsListPlace);
    void layOut(bool keepsListPlace);
    void connectWidgets();
    void addKeys();
    void fillLists(std::optional<size_t> shownPlace);
    void loadLook();
    void lookEdited();
    void follow(QTreeWidget* list);
    void changed();
    std::optional<size_t> shownPlace() const;
    std::optional<size_t> allColumn() const;

    AppState& state_;
    ColumnLayoutView& view_;
    ColumnLayout& layout_;
    bool loading_ = false;
    QTreeWidget* shownList_ = nullptr;
    QTreeWidget* allList_ = nullptr;
    ColumnSettings* settings_ = nullptr;
    QPushButton* left_ = nullptr;
    QPushButton* right_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* hide_ = nullptr;
    QSpinBox* lineHeight_ = nullptr;
    QPushButton* font_ = nullptr;
    QCheckBox* vertical_ = nullptr;
    QCheckBox* horizontal_ = nullptr;
    QSpinBox* x_ = nullptr;
    QSpinBox* y_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace cdz

#pragma once
// The settings of one shown column of a column layout, as both layout windows offer them:
// header text and offset, header and field justification, width, data offset, and the switches
// fixed, underline, border and resizable. Each edit is written into the layout's format at once
// and announced, so that the list shows it.
#include <QWidget>

#include <cstddef>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace cdz {

class ColumnLayout;

class ColumnSettings final : public QWidget {
    Q_OBJECT
public:
    ColumnSettings(ColumnLayout& layout, QWidget* parent = nullptr);

    // The column the settings show and edit; nullopt (or a place out of range) disables them.
    void showColumn(std::optional<size_t> place);
    std::optional<size_t> place() const { return place_; }

    // The layout windows' controls: a count of dialog units from `least`, and a switch.
    static QSpinBox* unitsBox(QWidget* parent, const char* name, const char* tip, int least);
    static QCheckBox* switchBox(QWidget* parent, const char* caption, const char* name,
                                const char* tip);

signals:
    void changed();

private:
    void edited();
    void loadValues();

    ColumnLayout& layout_;
    std::optional<size_t> place_;
    bool loading_ = false;
    QLineEdit* header_ = nullptr;
    QSpinBox* headerOffset_ = nullptr;
    QComboBox* headerJustify_ = nullptr;
    QComboBox* fieldJustify_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* offset_ = nullptr;
    QCheckBox* fixed_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QCheckBox* border_ = nullptr;
    QCheckBox* resize_ = nullptr;
};

}  // namespace cdz

#include "app/playlists/GenerateWindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/engine/columns/DatePictures.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/playlists/PlaylistGenerator.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"

namespace cdz {
namespace {

constexpr int kCategoryWidth = 30;

}  // namespace

GenerateWindow::GenerateWindow(AppState& state, uint64_t seed, QWidget* parent)
    : QDialog(parent),
      state_(state),
      files_(std::make_unique<FileUse>(
          state.catalogue(),
          std::initializer_list<CatalogueFile>{CatalogueFile::Categories, CatalogueFile::Cadenzio,
                                               CatalogueFile::PlaylistDetails,
                                               CatalogueFile::PlaylistMaster})),
      random_(seed ? seed : std::random_device{}()) {
    setObjectName(proc::kGeneratePlaylist);
    setWindowTitle(kTitle);
    const std::string setting = datePictureSetting(state.settings().dateFormat);
    datePicture_ = "@" + (setting.empty() ? std::string("d17") : setting);

    size_ = new QSpinBox;
    size_->setObjectName("size");
    size_->setRange(0, PlaylistGenerator::kMaxSize);
    start_ = new QLineEdit;
    start_->setObjectName("startDate");
    end_ = new QLineEdit;
    end_->setObjectName("endDate");
    for (QLineEdit* e : {start_, end_})
        e->setPlaceholderText(QString::fromStdString(formatPicture(datePicture_, double(today()))));
    category_ = new QComboBox;
    category_->setObjectName("category");
    category_->setEditable(true);
    category_->lineEdit()->setMaxLength(kCategoryWidth);
    category_->setToolTip("Category");
    category_->addItem(QString());
    for (const std::string& name : PlaylistGenerator::categoryNames(state.catalogue()))
        category_->addItem(QString::fromStdString(name));

    auto* form = new QFormLayout;
    form->addRow("Play List Size (Number of Songs):", size_);
    form->addRow("Starting Release Date:", start_);
    form->addRow("Ending Release Date:", end_);
    form->addRow("Category (Blank for All):", category_);

    auto* group = new QGroupBox("Weighting");
    group->setObjectName("weighting");
    auto* groupLayout = new QVBoxLayout(group);
    weighting_ = new QButtonGroup(this);
    for (size_t i = 0; i < PlaylistGenerator::kWeightings.size(); ++i) {
        auto* b = new QRadioButton(PlaylistGenerator::kWeightings[i]);
        b->setObjectName(QString("weighting%1").arg(i));
        weighting_->addButton(b, static_cast<int>(i));
        groupLayout->addWidget(b);
    }
    weighting_->button(0)->setChecked(true);

    auto* ok = new QPushButton("&Ok");
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cancel");
    connect(ok, &QPushButton::clicked, this, &GenerateWindow::generate);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

GenerateWindow::~GenerateWindow() = default;

int32_t GenerateWindow::dateOf(const QLineEdit& field) const {
    const std::string text = field.text().trimmed().toStdString();
    if (text.empty()) return 0;
    // A year on its own bounds by year, as songs known only by their year are kept.
    if (text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos) {
        const int year = std::stoi(text);
        return year > 0 && year <= kLastBareYear ? year : -1;
    }
    const std::string day = deformatPicture(datePicture_, text);
    const long value = std::strtol(day.c_str(), nullptr, 10);
    return value > 0 ? static_cast<int32_t>(value) : -1;
}

bool GenerateWindow::choice(PlaylistGeneratorChoice* out) {
    out->size = size_->value();
    out->startDate = dateOf(*start_);
    out->endDate = dateOf(*end_);
    out->category = category_->currentText().toStdString();
    out->weighting = static_cast<PlaylistWeighting>(std::max(0, weighting_->checkedId()));
    for (auto [value, field] : {std::pair{out->startDate, start_}, std::pair{out->endDate, end_}}) {
        if (value < 0) {
            state_.dialogs().message("Error",
                                     "\"" + field->text().toStdString() +
                                         "\" is not a date. Give a date, a year, or nothing.",
                                     MessageIcon::None, Button::Ok, Button::Ok);
            field->setFocus();
            return false;
        }
    }
    return true;
}

void GenerateWindow::generate() {
    PlaylistGeneratorChoice wanted;
    if (!choice(&wanted)) return;
    PlaylistGenerator generator(state_.catalogue(), random_);
    const PlaylistGeneratorOutcome got = generator.generate(wanted, today());
    using Result = PlaylistGeneratorOutcome::Result;
    if (got.result != Result::Generated) {
        state_.dialogs().message("Error", got.message, MessageIcon::None, Button::Ok, Button::Ok);
        if (got.result == Result::UnknownCategory) {
            category_->setFocus();
            category_->showPopup();
        }
        if (got.result == Result::NoSongs) close();
        return;
    }
    emit generated(got.playlistId);
    close();
}

}  // namespace cdz
